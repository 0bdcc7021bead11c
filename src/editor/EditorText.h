#pragma once

#include "script/ScriptLexer.h"
#include "script/TextFormat.h"

#include <QString>
#include <algorithm>
#include <string_view>

namespace vantrel {

// The editor's document knows only paragraph breaks, so it would fold CR LF, a lone LF and
// a lone CR into one thing. This reversible mapping keeps them apart: the text's own line
// end becomes a paragraph break, one editor line each, and the other two, and NUL, become
// characters that no 8-bit character set holds (a line separator and the visible symbols
// for CR and NUL). Where CR LF is not the text's line end, its CR and its LF are mapped
// each on its own. fromEditorText(toEditorText(t, e), e) == t for every text that holds
// none of those four.
namespace EditorChar {
// The script lexer takes the same three as line ends.
inline constexpr char16_t ParagraphBreak = LineEndChar::ParagraphBreak; // the text's line end
inline constexpr char16_t LineFeed = LineEndChar::LineFeed;             // another LF
inline constexpr char16_t CarriageReturn = LineEndChar::CarriageReturn; // another CR
inline constexpr char16_t Null = u'\u2400';                             // NUL
// Every character below this one stands for itself.
inline constexpr char16_t LowestStandIn =
    std::min({ParagraphBreak, LineFeed, CarriageReturn, Null});
static_assert(EditorStandIns == std::array{ParagraphBreak, LineFeed, CarriageReturn, Null});
} // namespace EditorChar

// What an editor character stands for in the file; empty for one that stands for itself.
constexpr std::u16string_view fileText(char16_t c, LineEnd lineEnd)
{
    switch (c) {
    case EditorChar::ParagraphBreak:
        return LineEndText(lineEnd);
    case EditorChar::LineFeed:
        return u"\n";
    case EditorChar::CarriageReturn:
        return u"\r";
    case EditorChar::Null:
        return {u"\0", 1};
    default:
        return {};
    }
}

QString toEditorText(const QString& text, LineEnd lineEnd = LineEnd::CrLf);
// Takes its argument by value: a text that is not shared elsewhere is mapped in place.
QString fromEditorText(QString editorText, LineEnd lineEnd = LineEnd::CrLf);

// Text typed, pasted or dropped into a document whose line end is lineEnd: every line end
// in it (CR LF, LF, CR, a line or paragraph separator) becomes the document's, NUL its
// stand-in, and the symbols the editor shows for CR and NUL the replacement character, so
// that nothing typed is ever saved as a control character it did not hold.
QString toEditorInput(const QString& text);

// The editor's text as the script lexer reads it, without a copy.
inline std::u16string_view lexerView(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size())};
}

} // namespace vantrel
