#include "ScriptCheck.h"

#include "ScriptLexer.h"

#include <algorithm>
#include <iterator>

namespace vantrel {
namespace {

struct Found
{
    std::size_t offset;
    const char* message;
};

bool isLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

bool isHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

// Turns the offsets (in order) into lines and columns in one walk over the text. CR LF is
// one line end; the second half of a surrogate pair is no column of its own.
std::vector<ScriptProblem> place(std::u16string_view text, const std::vector<Found>& found)
{
    std::vector<ScriptProblem> problems;
    problems.reserve(found.size());
    std::size_t at = 0, line = 1, column = 1;
    for (const Found& f : found) {
        for (; at < f.offset; ++at) {
            const char16_t c = text[at];
            if (c == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n')
                continue; // the LF that follows ends the line
            if (IsLineEnd(c)) {
                ++line;
                column = 1;
            } else if (!(isLowSurrogate(c) && at > 0 && isHighSurrogate(text[at - 1]))) {
                ++column;
            }
        }
        problems.push_back({f.offset, line, column, f.message});
    }
    return problems;
}

} // namespace

std::vector<ScriptProblem> CheckScript(std::u16string_view text)
{
    std::vector<Found> unmatched; // ')' in order
    std::vector<Found> open;      // '(' not closed yet, in order
    Lexer lexer(text);
    std::size_t lastOffset = 0;
    while (const std::optional<Token> token = lexer.next()) {
        lastOffset = token->offset;
        if (token->kind == TokenKind::Open)
            open.push_back({token->offset, "'(' is never closed"});
        else if (token->kind == TokenKind::Close && open.empty())
            unmatched.push_back({token->offset, "')' closes nothing"});
        else if (token->kind == TokenKind::Close)
            open.pop_back();
    }
    std::vector<Found> found;
    found.reserve(unmatched.size() + open.size() + 1);
    std::merge(unmatched.begin(), unmatched.end(), open.begin(), open.end(),
               std::back_inserter(found),
               [](const Found& a, const Found& b) { return a.offset < b.offset; });
    // A string or block comment left open swallows the rest, so it is the last token.
    if (lexer.state() == LexState::InString)
        found.push_back({lastOffset, "string is never closed"});
    else if (lexer.state() == LexState::InBlockComment)
        found.push_back({lastOffset, "block comment is never closed"});
    return place(text, found);
}

} // namespace vantrel
