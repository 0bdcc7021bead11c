#include "script/ScriptLexer.h"

namespace vantrel {
namespace {

constexpr std::u16string_view BlockCloser = u"*;";

bool isSpace(char16_t c)
{
    return c == u' ' || c == u'\t';
}

bool isWordPart(char16_t c)
{
    return !isSpace(c) && !IsLineEnd(c) && c != u'(' && c != u')' && c != u'"' && c != u';';
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// An optional minus, digits with at most one point among or around them, one digit at least.
bool isNumber(std::u16string_view word)
{
    if (word.starts_with(u'-'))
        word.remove_prefix(1);
    bool digit = false, point = false;
    for (char16_t c : word) {
        if (isDigit(c))
            digit = true;
        else if (c == u'.' && !point)
            point = true;
        else
            return false;
    }
    return digit;
}

std::size_t lineEndAfter(std::u16string_view text, std::size_t at)
{
    while (at < text.size() && !IsLineEnd(text[at]))
        ++at;
    return at;
}

} // namespace

Lexer::Lexer(std::u16string_view text, LexState start) : m_text(text), m_state(start)
{
}

// Runs to just past `closer`, back in code; or, when the text ends first, to its end, still
// inside.
void Lexer::runTo(std::u16string_view closer, LexState inside)
{
    const std::size_t end = m_text.find(closer, m_at);
    m_state = end == m_text.npos ? inside : LexState::Code;
    m_at = end == m_text.npos ? m_text.size() : end + closer.size();
}

void Lexer::skipWhile(bool (*part)(char16_t))
{
    while (m_at < m_text.size() && part(m_text[m_at]))
        ++m_at;
}

std::optional<Token> Lexer::next()
{
    if (m_at == m_text.size())
        return std::nullopt;
    const std::size_t start = m_at;
    auto token = [&](TokenKind kind) { return Token{kind, start, m_at - start}; };
    if (m_state == LexState::InString) {
        runTo(u"\"", LexState::InString);
        return token(TokenKind::String);
    }
    if (m_state == LexState::InBlockComment) {
        runTo(BlockCloser, LexState::InBlockComment);
        return token(TokenKind::BlockComment);
    }
    const char16_t c = m_text[m_at++];
    switch (c) {
    case u'(':
        return token(TokenKind::Open);
    case u')':
        return token(TokenKind::Close);
    case u'"':
        runTo(u"\"", LexState::InString);
        return token(TokenKind::String);
    case u';':
        if (m_at < m_text.size() && m_text[m_at] == u'*') {
            ++m_at; // the closer is looked for after the opener: ";*;" stays open
            runTo(BlockCloser, LexState::InBlockComment);
            return token(TokenKind::BlockComment);
        }
        m_at = lineEndAfter(m_text, m_at);
        return token(TokenKind::Comment);
    case u'\r':
        if (m_at < m_text.size() && m_text[m_at] == u'\n')
            ++m_at;
        return token(TokenKind::LineEnd);
    default:
        break;
    }
    if (IsLineEnd(c))
        return token(TokenKind::LineEnd);
    if (isSpace(c)) {
        skipWhile(isSpace);
        return token(TokenKind::Space);
    }
    skipWhile(isWordPart);
    return token(isNumber(m_text.substr(start, m_at - start)) ? TokenKind::Number
                                                              : TokenKind::Word);
}

std::vector<Token> LexLine(std::u16string_view line, LexState& state)
{
    std::vector<Token> tokens;
    Lexer lexer(line, state);
    while (const std::optional<Token> token = lexer.next())
        tokens.push_back(*token);
    state = lexer.state();
    return tokens;
}

LexState ScanState(std::u16string_view text, LexState state)
{
    std::size_t at = 0;
    while (at < text.size()) {
        if (state != LexState::Code) {
            const bool string = state == LexState::InString;
            const std::size_t end = string ? text.find(u'"', at) : text.find(BlockCloser, at);
            if (end == text.npos)
                return state;
            at = end + (string ? 1 : BlockCloser.size());
            state = LexState::Code;
            continue;
        }
        // In code only a quote or a semicolon changes the state.
        const char16_t c = text[at++];
        if (c == u'"') {
            state = LexState::InString;
        } else if (c == u';') {
            if (at < text.size() && text[at] == u'*') {
                ++at;
                state = LexState::InBlockComment;
            } else {
                at = lineEndAfter(text, at);
            }
        }
    }
    return state;
}

} // namespace vantrel
