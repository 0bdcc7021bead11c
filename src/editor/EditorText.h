#pragma once

#include "script/ScriptLexer.h"

#include <QString>
#include <algorithm>
#include <string_view>

namespace vantrel {

// The editor's document knows only paragraph breaks, so it would fold CR LF, a lone LF and
// a lone CR into one thing. This reversible mapping keeps them apart: CR LF becomes a
// paragraph break, and a lone LF, a lone CR and NUL become characters that no 8-bit
// character set holds (a line separator and the visible symbols for CR and NUL).
// fromEditorText(toEditorText(t)) == t for every text that holds none of those four.
namespace EditorChar {
// The script lexer takes the same three as line ends.
inline constexpr char16_t ParagraphBreak = LineEndChar::ParagraphBreak; // CR LF
inline constexpr char16_t LineFeed = LineEndChar::LineFeed;             // lone LF
inline constexpr char16_t CarriageReturn = LineEndChar::CarriageReturn; // lone CR
inline constexpr char16_t Null = u'\u2400';                             // NUL
// Every character below this one stands for itself.
inline constexpr char16_t LowestStandIn =
    std::min({ParagraphBreak, LineFeed, CarriageReturn, Null});
} // namespace EditorChar

// What an editor character stands for in the file; empty for one that stands for itself.
constexpr std::u16string_view fileText(char16_t c)
{
    switch (c) {
    case EditorChar::ParagraphBreak:
        return u"\r\n";
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

QString toEditorText(const QString& text);
// Takes its argument by value: a text that is not shared elsewhere is mapped in place.
QString fromEditorText(QString editorText);

// The editor's text as the script lexer reads it, without a copy.
inline std::u16string_view lexerView(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size())};
}

} // namespace vantrel
