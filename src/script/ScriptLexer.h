#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace vantrel {

// Where a stretch of text starts or ends: strings and block comments may run on over line
// ends, so the editor lexes one line at a time from the state the line before left.
enum class LexState : std::uint8_t
{
    Code,
    InString,
    InBlockComment
};

enum class TokenKind : std::uint8_t
{
    Space,        // spaces and tabs
    LineEnd,      // CR LF, LF, CR, or one of the editor's stand-ins for them
    Open,         // (
    Close,        // )
    String,       // "..." with its quotes; a piece of one when it runs past the text
    Comment,      // ; to the end of the line
    BlockComment, // ;* ... *;, or a piece of one
    Number,       // 12, -0.5
    Word,         // anything else up to a space, a line end, a quote, a parenthesis or ;
};

struct Token
{
    TokenKind kind;
    std::size_t offset; // in UTF-16 code units from the start of the lexed text
    std::size_t length;
};

// The editor document's stand-ins for the line ends of a file, which the lexer also takes
// as line ends, so the editor can lex its own text and still count lines as the file will.
namespace LineEndChar {
inline constexpr char16_t ParagraphBreak = u'\u2029'; // CR LF
inline constexpr char16_t LineFeed = u'\u2028';       // lone LF
inline constexpr char16_t CarriageReturn = u'\u240D'; // lone CR
} // namespace LineEndChar

constexpr bool IsLineEnd(char16_t c)
{
    return c == u'\n' || c == u'\r' || c == LineEndChar::ParagraphBreak ||
           c == LineEndChar::LineFeed || c == LineEndChar::CarriageReturn;
}

// A carriage return or a line feed, the character itself or the editor's stand-in for it:
// a line feed right after a carriage return ends one line with it, as the file has CR LF.
constexpr bool IsCarriageReturn(char16_t c)
{
    return c == u'\r' || c == LineEndChar::CarriageReturn;
}

constexpr bool IsLineFeed(char16_t c)
{
    return c == u'\n' || c == LineEndChar::LineFeed;
}

// Hands out the tokens of a text one by one; together they cover it exactly, in order.
class Lexer
{
public:
    explicit Lexer(std::u16string_view text, LexState start = LexState::Code);

    std::optional<Token> next();
    // The state after the tokens handed out so far; at the end, the text's end state.
    LexState state() const { return m_state; }

private:
    void runTo(std::u16string_view closer, LexState inside);
    void skipWhile(bool (*part)(char16_t));

    std::u16string_view m_text;
    std::size_t m_at = 0;
    LexState m_state;
};

// One line (or any stretch) of text: its tokens, with `state` moved from its start state
// to its end state.
std::vector<Token> LexLine(std::u16string_view line, LexState& state);

// Only the end state of a stretch, without making tokens: the cheap pass that gives each
// line of a long text its start state.
LexState ScanState(std::u16string_view text, LexState start = LexState::Code);

} // namespace vantrel
