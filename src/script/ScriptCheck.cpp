#include "script/ScriptCheck.h"

#include "script/ScriptWords.h"

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

std::vector<ScriptProblem> CheckScript(std::u16string_view text, const FunctionList* functions)
{
    ScriptChecker checker(functions);
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
        switch (token->kind) {
        case TokenKind::Open:
            m_open.push_back(placeOf(piece, token->offset));
            if (m_functions)
                openForm(m_open.back(), m_wordEnd == m_start + token->offset);
            break;
        case TokenKind::Close:
            if (m_open.empty()) {
                m_unmatched.push_back(placeOf(piece, token->offset));
            } else {
                m_open.pop_back();
                if (m_functions)
                    closeForm();
            }
            break;
        case TokenKind::String:
        case TokenKind::BlockComment:
            // Only a token that starts here opens something; a piece may begin inside one.
            if (token->offset > 0 || m_state == LexState::Code) {
                m_opener = placeOf(piece, token->offset);
                if (m_functions && token->kind == TokenKind::String)
                    element({});
            }
            countLines(piece, *token);
            break;
        case TokenKind::Word:
            if (m_functions) {
                element(piece.substr(token->offset, token->length));
                m_wordEnd = m_start + token->offset + token->length;
            }
            break;
        case TokenKind::Number:
            if (m_functions)
                element({});
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
    if (!m_callProblems.empty()) {
        problems.insert(problems.end(), m_callProblems.begin(), m_callProblems.end());
        std::ranges::stable_sort(problems, {}, &ScriptProblem::offset);
    }
    return problems;
}

namespace {
enum Role : std::uint8_t
{
    OtherForm,
    ScriptForm,
    CondForm
};
} // namespace

// A '(' right after a word, as in "name(a, b)", is the C-like dialect of later games: its
// commas and calls count differently, so neither that form nor the one around it is checked.
void ScriptChecker::openForm(const Place& place, bool afterWord)
{
    bool quiet = afterWord, unchecked = false;
    if (!m_forms.empty()) {
        Form& parent = m_forms.back();
        ++parent.elements;
        // A script's signature, (name (type parameter)...), calls nothing.
        quiet = quiet || parent.quiet ||
                (parent.role == ScriptForm && parent.elements - 1 == parent.nameAt);
        // A cond clause's head is its test, not a call.
        unchecked = parent.role == CondForm;
        parent.unchecked = parent.unchecked || afterWord;
    }
    m_forms.push_back({nullptr, 0, place, quiet, unchecked});
}

// A word, number or string inside the innermost form; `word` is empty for the last two.
void ScriptChecker::element(std::u16string_view word)
{
    if (m_forms.empty())
        return;
    Form& form = m_forms.back();
    if (++form.elements == 1) {
        if (word == u"script")
            form.role = ScriptForm;
        else if (word == u"cond")
            form.role = CondForm;
        else if (!form.quiet && !word.empty() && !IsLanguageForm(word))
            form.function = m_functions->find(word);
    } else if (form.role == ScriptForm && form.elements == 2 &&
               (word == u"static" || word == u"stub")) {
        form.nameAt = 3; // after the return type
    }
}

void ScriptChecker::closeForm()
{
    const Form form = m_forms.back();
    m_forms.pop_back();
    if (!form.function || form.unchecked)
        return;
    const ArgumentRange range = form.function->arguments;
    const std::size_t found = form.elements - 1;
    if (found < range.min || found > range.max)
        m_callProblems.push_back({form.open.offset, form.open.line, form.open.column,
                                  ArgumentCountMessage(form.function->name, range, found)});
}

} // namespace vantrel
