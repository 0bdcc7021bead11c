#pragma once

#include <QString>

namespace vantrel {

// The editor's document knows only paragraph breaks, so it would fold CR LF, a lone LF and
// a lone CR into one thing. This reversible mapping keeps them apart: CR LF becomes a
// paragraph break, and a lone LF, a lone CR and NUL become characters that no 8-bit
// character set holds (a line separator and the visible symbols for CR and NUL).
// fromEditorText(toEditorText(t)) == t for every text that holds none of those four.
namespace EditorChar {
inline constexpr char16_t ParagraphBreak = u'\u2029'; // CR LF
inline constexpr char16_t LineFeed = u'\u2028';       // lone LF
inline constexpr char16_t CarriageReturn = u'\u240D'; // lone CR
inline constexpr char16_t Null = u'\u2400';           // NUL
} // namespace EditorChar

QString toEditorText(const QString& text);
// Takes its argument by value: a text that is not shared elsewhere is mapped in place.
QString fromEditorText(QString editorText);

} // namespace vantrel
