// The real editor widget, given any text a script file can hold, read as the file store
// reads it (UTF-8 or Windows-1252), replacing what it held: it gives the text back exactly,
// shows a line per line end of the text's own kind, leaves the cursor at the start, and one
// Undo brings back the text it replaced, with its line end and encoding. What Save reads
// from it, in pieces, is that same text each time, and after each of a few edits here and
// there: typed, pasted, Enter, removed, Undo and Redo.
#include "FuzzCheck.h"
#include "FuzzEditor.h"
#include "editor/EditorText.h"
#include "editor/ScriptEditor.h"
#include "files/ScriptFileStore.h"
#include "language/EditorLanguageSupport.h"
#include "script/TextFormat.h"

#include <QApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <random>
#include <string_view>

using namespace vantrel;

namespace {

QString savedText(const ScriptEditor& editor)
{
    QString text;
    editor.wholeTextInPieces().forEachPiece([&text](std::u16string_view piece) {
        text += QStringView(piece.data(), qsizetype(piece.size()));
        return true;
    });
    return text;
}

// A few edits where a user might make them, seeded by the input: typed or pasted pieces of
// it, removed selections, Undo and Redo. After each, Save reads the known stretches of the
// text and the changed ones between them: together they must be the text.
void editAndCompare(ScriptEditor& editor, const QString& text, std::string_view bytes)
{
    Dice dice(std::uint32_t(std::hash<std::string_view>{}(bytes)));
    for (int edit = 0; edit < 6; ++edit) {
        editSomewhere(editor, text.mid(dice.below(text.size() + 1), dice.below(9)), dice);
        require(savedText(editor) == editor.wholeText(), "Save reads the text after an edit");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    startWidgetApplication("fuzz_scripteditor");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const TextEncoding encoding = DetectEncoding(bytes);
    const QString text =
        ScriptFileStore::decode(QByteArray(bytes.data(), qsizetype(size)), encoding);
    const TextFormat format{MostCommonLineEnd(lexerView(text)), encoding};
    // One editor for the whole run: each input replaces what the last one left, as a
    // Compile or a load does. It knows the script language, as the main window's does: its
    // colours and marks must leave the text and Undo alone.
    static ScriptEditor editor;
    setLanguageSupport(editor, true);
    const QString previous = editor.wholeText();
    const TextFormat previousFormat = editor.textFormat();
    editor.setWholeText(text, encoding);
    require(editor.textFormat() == format, "the text's line end and encoding are taken");
    require(editor.wholeTextInPieces().encoding() == encoding, "Save writes the encoding");
    require(editor.wholeText() == text, "the editor gives back what it was given");
    require(savedText(editor) == text, "Save reads what it was given");
    const std::u16string_view lineEnd = LineEndText(format.lineEnd);
    const QString ownLineEnd(reinterpret_cast<const QChar*>(lineEnd.data()),
                             qsizetype(lineEnd.size()));
    require(editor.document()->blockCount() == text.count(ownLineEnd) + 1,
            "each of the text's own line ends, and nothing else, starts an editor line");
    require(editor.textCursor().position() == 0 && !editor.textCursor().hasSelection(),
            "the cursor waits at the start");
    editor.undo();
    require(editor.wholeText() == previous, "one Undo brings back the text replaced");
    require(editor.textFormat() == previousFormat, "and its line end and encoding");
    require(savedText(editor) == previous, "Save reads the text brought back");
    editor.redo();
    require(editor.wholeText() == text, "Redo replaces it again");
    require(editor.textFormat() == format, "with its line end and encoding");
    require(savedText(editor) == text, "Save reads the text replaced again");
    editAndCompare(editor, text, bytes);
    editor.document()->clearUndoRedoStacks();
    return 0;
}
