// Every byte string a script file can hold must reach the editor's characters and come back
// unchanged, whatever its encoding and under each line end, with no character left that
// the editor's document would fold into a line end. A file read as UTF-8 must write back
// as the same bytes, and typed or pasted text must never bring a stand-in with it.
#include "FuzzCheck.h"
#include "editor/EditorText.h"
#include "files/ScriptFileStore.h"
#include "script/TextFormat.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace vantrel;

namespace {

QString lineEndText(LineEnd lineEnd)
{
    const std::u16string_view text = LineEndText(lineEnd);
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // As the file store reads a file: its encoding from its bytes, then its text.
    const TextEncoding encoding = DetectEncoding(bytes);
    const QString text =
        ScriptFileStore::decode(QByteArray(bytes.data(), qsizetype(size)), encoding);
    if (encoding != TextEncoding::Windows1252) {
        Utf8Encoder encoder;
        std::string written(Utf8Encoder::roomFor(std::size_t(text.size())), '\0');
        written.resize(encoder.encode(lexerView(text), written.data()));
        require(!encoder.firstUnencodable() && !encoder.waiting(), "UTF-8 text encodes");
        const bool mark = encoding == TextEncoding::Utf8WithByteOrderMark;
        require((mark ? std::string(Utf8ByteOrderMark) : std::string()) + written == bytes,
                "a file read as UTF-8 writes back as its bytes");
    }
    const LineEnd own = MostCommonLineEnd(lexerView(text));
    for (const LineEnd lineEnd : {own, LineEnd::CrLf, LineEnd::Lf, LineEnd::Cr}) {
        const QString mapped = toEditorText(text, lineEnd);
        for (const QChar c : {QChar(u'\r'), QChar(u'\n'), QChar(u'\0')})
            require(!mapped.contains(c), "the mapped text holds no CR, LF or NUL");
        require(mapped.count(QChar(EditorChar::ParagraphBreak)) == text.count(lineEndText(lineEnd)),
                "each of the line end, and nothing else, becomes a paragraph break");
        require(fromEditorText(mapped, lineEnd) == text, "the mapping round-trips");
    }
    // Typed or pasted, the same characters bring no stand-in for CR, LF or NUL: what they
    // hold is written as a line end or as a character of its own, never as a control byte.
    const QString input = toEditorInput(text);
    for (const char16_t c : {u'\r', u'\n', u'\0', EditorChar::LineFeed, EditorChar::CarriageReturn})
        require(!input.contains(QChar(c)), "typed text holds no CR, LF or NUL stand-in");
    require(input.count(QChar(EditorChar::Null)) == text.count(QChar(u'\0')),
            "a typed NUL is a NUL, and only a typed NUL is");
    return 0;
}
