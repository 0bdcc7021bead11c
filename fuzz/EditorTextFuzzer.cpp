// Every byte string a script file can hold must reach the editor's characters and come back
// unchanged, with no character left that the editor's document would fold into a line end.
#include "FuzzCheck.h"
#include "editor/EditorText.h"
#include "script/Windows1252.h"

#include <cstddef>
#include <cstdint>

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // As the file store decodes a file's bytes for the editor.
    const QString text =
        QString::fromStdU16String(decodeWindows1252({reinterpret_cast<const char*>(data), size}));
    const QString mapped = toEditorText(text);
    for (const QChar c : {QChar(u'\r'), QChar(u'\n'), QChar(u'\0')})
        require(!mapped.contains(c), "the mapped text holds no CR, LF or NUL");
    require(mapped.count(QChar(EditorChar::ParagraphBreak)) == text.count(QStringLiteral("\r\n")),
            "each CR LF, and nothing else, becomes a paragraph break");
    require(fromEditorText(mapped) == text, "the mapping round-trips");
    return 0;
}
