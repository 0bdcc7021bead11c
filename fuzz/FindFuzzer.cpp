// Find and go to line, given any input: a typed line and column names a place that parses
// the same again and lies in the text; and the matches of a search, kept up to date as the
// text is edited, are always those a search of the whole text finds.
#include "FuzzCheck.h"
#include "FuzzEditor.h"
#include "editor/EditorText.h"
#include "editor/ScriptEditor.h"
#include "find/DocumentMatches.h"
#include "find/GoToLine.h"
#include "script/Windows1252.h"

#include <QApplication>
#include <QTextCursor>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string_view>

using namespace vantrel;

namespace {

void checkPlace(const QString& typed, const QString& text)
{
    const auto place = parseLineColumn(typed);
    if (!place)
        return;
    require(place->line >= 1 && place->column >= 1, "a place counts from 1");
    const auto again =
        parseLineColumn(QStringLiteral("%1:%2:").arg(place->line).arg(place->column));
    require(again && again->line == place->line && again->column == place->column,
            "a place parses the same as check prints it");
    const QString editorText = toEditorText(text);
    const int position = positionOf(lexerView(editorText), *place);
    require(position >= 0 && position <= editorText.size(), "a place lies in the text");
}

std::vector<int> searchedWhole(const ScriptEditor& editor, const TextSearch& search)
{
    std::vector<int> starts;
    std::u16string_view text;
    const QString holder = DocumentMatches::wholeEditorText(editor, text);
    search.findAll(text, 0, starts);
    return starts;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    startWidgetApplication("fuzz_find");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const QString all = QString::fromStdU16String(decodeWindows1252(bytes.substr(1)));
    // The first byte: the pattern's length, and the options.
    const int patternLength = 1 + data[0] % 5;
    const FindOptions options{bool(data[0] & 0x20), bool(data[0] & 0x40)};
    const QString pattern = all.left(patternLength);
    const QString text = all.mid(patternLength);
    checkPlace(all.section(u'\n', 0, 0), text);

    static ScriptEditor editor;
    editor.setWholeText(text);
    DocumentMatches matches(editor);
    const TextSearch search(pattern, options);
    matches.follow(search);
    require(matches.starts() == searchedWhole(editor, search), "the first search finds them all");

    Dice dice(std::uint32_t(std::hash<std::string_view>{}(bytes)));
    for (int edit = 0; edit < 8; ++edit) {
        // Often the pattern itself, or a piece of it.
        editSomewhere(editor,
                      dice.below(2) ? pattern.left(dice.below(patternLength + 1))
                                    : all.mid(dice.below(all.size() + 1), dice.below(9)),
                      dice);
        require(matches.starts() == searchedWhole(editor, search),
                "the matches kept after an edit are those of a new search");
    }
    editor.document()->clearUndoRedoStacks();
    return 0;
}
