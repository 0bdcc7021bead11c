#include "script/ScriptCheck.h"

#include "script/ScriptDeclarations.h"

#include <algorithm>
#include <iterator>

namespace vantrel {

std::string_view SeverityWord(Severity severity)
{
    switch (severity) {
    case Severity::Warning:
        return "warning";
    case Severity::Note:
        return "note";
    case Severity::Error:
        break;
    }
    return "error";
}
namespace {

bool isLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

bool isHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

} // namespace

std::vector<ScriptProblem> CheckScript(std::u16string_view text)
{
    ScriptChecker checker;
    checker.add(text);
    return checker.finish();
}

// The line and column of a place in the piece; places are asked for in text order, so the
// columns of a line are counted once.
ScriptChecker::Place ScriptChecker::placeOf(std::u16string_view piece, std::size_t at)
{
    for (; m_counted < at; ++m_counted) {
        const char16_t before = m_counted > 0 ? piece[m_counted - 1] : m_last;
        if (!(isLowSurrogate(piece[m_counted]) && isHighSurrogate(before)))
            ++m_column; // the second half of a surrogate pair is no character of its own
    }
    return {m_start + at, m_line, m_column};
}

// Moves the line count past the line ends in a token: a line end itself, or a string or a
// block comment that runs over lines. CR LF is one line end, also when cut between pieces.
void ScriptChecker::countLines(std::u16string_view piece, const Token& token)
{
    const std::size_t end = token.offset + token.length;
    for (std::size_t at = token.offset; at < end; ++at) {
        const char16_t c = piece[at];
        const char16_t before = at > 0 ? piece[at - 1] : m_last;
        if (!IsLineEnd(c))
            continue;
        if (!(c == u'\n' && before == u'\r'))
            ++m_line;
        m_counted = at + 1;
        m_column = 1;
    }
}

void ScriptChecker::add(std::u16string_view piece)
{
    Lexer lexer(piece, m_state);
    while (const std::optional<Token> token = lexer.next()) {
        // The reader goes first: it asks for the token's place before the line count moves
        // past the line ends inside it. A string that began in an earlier piece is no new one.
        if (m_reader && IsReadable(token->kind) &&
            !(token->offset == 0 && m_state == LexState::InString))
            m_reader->take(*token, piece, *this);
        switch (token->kind) {
        case TokenKind::Open:
            m_open.push_back(placeOf(piece, token->offset));
            break;
        case TokenKind::Close:
            if (m_open.empty())
                m_unmatched.push_back(placeOf(piece, token->offset));
            else
                m_open.pop_back();
            break;
        case TokenKind::String:
        case TokenKind::BlockComment:
            // Only a token that starts here opens something; a piece may begin inside one.
            if (token->offset > 0 || m_state == LexState::Code)
                m_opener = placeOf(piece, token->offset);
            countLines(piece, *token);
            break;
        case TokenKind::LineEnd:
            countLines(piece, *token);
            break;
        default:
            break;
        }
    }
    m_state = lexer.state();
    placeOf(piece, piece.size()); // the next piece may go on with this line
    m_counted = 0;
    m_start += piece.size();
    if (!piece.empty())
        m_last = piece.back();
}

std::vector<ScriptProblem> ScriptChecker::finish()
{
    std::vector<ScriptProblem> problems;
    problems.reserve(m_unmatched.size() + m_open.size() + 1);
    const auto add = [&](const Place& place, const char* message) {
        problems.push_back({place.offset, place.line, place.column, message});
    };
    // Both lists are in text order: merged, the problems are too.
    auto unmatched = m_unmatched.begin(), open = m_open.begin();
    while (unmatched != m_unmatched.end() || open != m_open.end()) {
        if (open == m_open.end() ||
            (unmatched != m_unmatched.end() && unmatched->offset < open->offset))
            add(*unmatched++, "')' closes nothing");
        else
            add(*open++, "'(' is never closed");
    }
    // A string or a block comment left open runs to the end: nothing comes after it.
    if (m_state == LexState::InString)
        add(m_opener, "string is never closed");
    else if (m_state == LexState::InBlockComment)
        add(m_opener, "block comment is never closed");
    return problems;
}

} // namespace vantrel
