// Every byte string a script file can hold must reach the editor and come back unchanged:
// the editor's mapping alone, and through the real widget.
#include "EditorText.h"
#include "FuzzCheck.h"
#include "ScriptEditor.h"
#include "Windows1252.h"

#include <QApplication>
#include <QTextDocument>
#include <cstddef>
#include <cstdint>

using namespace vantrel;

namespace {

// As the file store decodes a file's bytes for the editor.
QString decodedFileText(const uint8_t* data, size_t size)
{
    return decodeWindows1252(QByteArrayView(data, qsizetype(size)));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Qt gets arguments of its own: it would take libFuzzer's out of argv.
    static int argc = 1;
    static char name[] = "fuzz_editortext";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = decodedFileText(data, size);
    const QString mapped = toEditorText(text);
    // The document would fold any of these into a paragraph break.
    for (const QChar c : {QChar(u'\r'), QChar(u'\n'), QChar(u'\0')})
        require(!mapped.contains(c), "the mapped text holds no CR, LF or NUL");
    require(fromEditorText(mapped) == text, "the mapping round-trips");

    ScriptEditor editor;
    editor.setWholeText(text);
    require(editor.wholeText() == text, "the editor gives back what it was given");
    require(editor.document()->blockCount() == text.count(QStringLiteral("\r\n")) + 1,
            "each CR LF, and nothing else, starts an editor line");
    return 0;
}
