#include "script/ScriptCheck.h"

#include "script/ScriptDeclarations.h"
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

// Tabs stop every fourth column: a file indented with tabs keeps its shape at any width, and
// one that mixes tabs with runs of four spaces lines up.
constexpr std::size_t TabWidth = 4;
// Hand-indented lines are often a column out of step: that says nothing.
constexpr std::size_t Slip = 1;

std::size_t shownWidth(std::u16string_view space)
{
    std::size_t width = 0;
    for (char16_t c : space)
        width = c == u'\t' ? (width / TabWidth + 1) * TabWidth : width + 1;
    return width;
}

} // namespace

std::vector<ScriptProblem> CheckScript(std::u16string_view text, const FunctionList* functions,
                                       Notes notes)
{
    ScriptChecker checker(functions, notes);
    checker.add(text);
    return checker.finish();
}

std::size_t FirstToShow(const std::vector<ScriptProblem>& problems)
{
    return problems.size() > 1 && problems[1].severity == Severity::Note ? 1 : 0;
}

std::vector<ScriptProblem> InTextOrder(std::vector<ScriptProblem> first,
                                       std::vector<ScriptProblem> second)
{
    std::vector<std::pair<std::size_t, ScriptProblem>> ordered;
    ordered.reserve(first.size() + second.size());
    for (std::vector<ScriptProblem>* list : {&first, &second}) {
        const std::size_t listStart = ordered.size();
        for (ScriptProblem& problem : *list) {
            const bool note = problem.severity == Severity::Note && ordered.size() > listStart;
            const std::size_t key = note ? ordered.back().first : problem.offset;
            ordered.emplace_back(key, std::move(problem));
        }
    }
    std::ranges::stable_sort(ordered, {}, &std::pair<std::size_t, ScriptProblem>::first);
    std::vector<ScriptProblem> problems;
    problems.reserve(ordered.size());
    for (auto& [key, problem] : ordered)
        problems.push_back(std::move(problem));
    return problems;
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
// block comment that runs over lines. CR LF is one line end, also when cut between pieces
// and when either half is the editor's stand-in.
void ScriptChecker::countLines(std::u16string_view piece, const Token& token)
{
    const std::size_t end = token.offset + token.length;
    for (std::size_t at = token.offset; at < end; ++at) {
        const char16_t c = piece[at];
        const char16_t before = at > 0 ? piece[at - 1] : m_last;
        if (!IsLineEnd(c))
            continue;
        // A lone CR may stand beside a lone LF in the editor as two stand-ins, or as a
        // stand-in and a paragraph break given as the file's character: CR LF, one line end.
        if (!(IsLineFeed(c) && IsCarriageReturn(before)))
            ++m_line;
        m_counted = at + 1;
        m_column = 1;
    }
}

void ScriptChecker::open(const Place& place)
{
    m_open.push_back({place, place.column - 1 + m_tabExtra, std::nullopt});
    m_lastCode = place;
}

void ScriptChecker::close(const Place& place)
{
    m_lastCode = place;
    if (m_open.empty()) {
        m_unmatched.push_back({place, m_extra});
        m_extra.reset();
        return;
    }
    // Of the forms opened on this line, only the one it begins with says what the next
    // line's indentation means: "((test)" or "(if (test)" go on indented past the test.
    const Opener& form = m_open.back();
    const bool counts = form.place.line != m_line || form.place.offset == m_lineCode;
    if (counts && (!m_closed || form.shownColumn <= m_closed->first))
        m_closed.emplace(form.shownColumn, place);
    m_open.pop_back();
}

// In a well-indented script a line's indentation says which forms it is in: those whose '('
// stands left of where the line begins (or, for a line that begins with ')', at it too).
// Where the brackets disagree with that, a mistake is likely just before the line.
void ScriptChecker::lineBegins(std::u16string_view piece, const Token& first)
{
    m_lineStart = false;
    // Comment lines are often indented anyhow, and a line that goes on with a string or a
    // block comment begins with no code at all.
    const bool startsHere = first.offset > 0 || m_state == LexState::Code;
    if (first.kind == TokenKind::Comment || first.kind == TokenKind::BlockComment ||
        (first.kind == TokenKind::String && !startsHere))
        return;
    const bool closer = piece[first.offset] == u')';
    if (m_open.empty() && m_indent == 0 && !closer) {
        m_extra.reset(); // a new top-level form: a ')' too many lies after its start
        m_step = TabWidth;
    } else if (m_indent > m_lastIndent + Slip) {
        // One step in: the smallest step a form's body takes in, in this form.
        m_step = std::min(m_step, m_indent - m_lastIndent);
    }
    // A ')' too many makes the one meant for the form it closed close the next form out
    // early, and so on out to the top: the first place in such a chain is the mistake.
    if (!m_extra && m_closed &&
        (m_closed->first + Slip < m_indent || (closer && m_closed->first <= m_indent + Slip)))
        m_extra = m_closed->second;
    if (!m_open.empty() && m_lastCode) {
        const Opener& form = m_open.back();
        // A form opened inside the last line, not the one it begins with, goes on only on
        // lines more than one step further in than that line: "((test" or "(if (test" with
        // the next line one step in has lost the test's ')'.
        const bool inner = form.place.line == m_lastCode->line && form.place.offset != m_lineCode;
        const bool outside =
            inner ? m_indent <= m_lastIndent + m_step + Slip
                  : form.shownColumn > m_indent + Slip || (!closer && form.shownColumn >= m_indent);
        if (outside)
            // The first such place after an opener is where its ')' most likely went missing.
            for (auto open = m_open.rbegin(); open != m_open.rend() && !open->missing; ++open)
                open->missing = m_lastCode;
    }
    m_closed.reset();
    m_lineCode = m_start + first.offset;
    m_lastIndent = m_indent;
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
        if (m_lineStart && token->kind == TokenKind::Space) {
            m_indent = shownWidth(piece.substr(token->offset, token->length));
            m_tabExtra = m_indent - token->length;
        } else if (m_lineStart && token->kind != TokenKind::LineEnd) {
            lineBegins(piece, *token);
        }
        switch (token->kind) {
        case TokenKind::Open:
            open(placeOf(piece, token->offset));
            if (m_functions)
                openForm(m_open.back().place, m_wordEnd == m_start + token->offset);
            break;
        case TokenKind::Close:
            if (m_functions && !m_open.empty())
                closeForm();
            if (m_locate || m_open.empty())
                close(placeOf(piece, token->offset));
            else
                m_open.pop_back();
            break;
        case TokenKind::Word:
        case TokenKind::Number:
            if (m_locate)
                m_lastCode = placeOf(piece, token->offset);
            if (m_functions && token->kind == TokenKind::Word) {
                element(piece.substr(token->offset, token->length));
                m_wordEnd = m_start + token->offset + token->length;
            } else if (m_functions) {
                element({});
            }
            break;
        case TokenKind::String:
        case TokenKind::BlockComment: {
            // Only a token that starts here opens something; a piece may begin inside one.
            if (token->offset > 0 || m_state == LexState::Code) {
                m_opener = placeOf(piece, token->offset);
                if (m_functions && token->kind == TokenKind::String)
                    element({});
            }
            const std::size_t line = m_line;
            countLines(piece, *token);
            if (m_line != line)
                m_indent = m_tabExtra = 0; // the line it ends on has no indentation of its own
            break;
        }
        case TokenKind::LineEnd:
            countLines(piece, *token);
            m_lineStart = m_locate;
            m_indent = m_tabExtra = 0;
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
    std::vector<std::size_t> noted;
    const auto add = [&](const Place& place, const char* message,
                         Severity severity = Severity::Error) {
        problems.push_back({place.offset, place.line, place.column, message, severity});
    };
    // A note only where it shows something the error does not: another line, said once.
    const auto note = [&](const Place& error, const std::optional<Place>& place,
                          const char* message) {
        if (place && place->line != error.line &&
            std::ranges::find(noted, place->offset) == noted.end()) {
            noted.push_back(place->offset);
            add(*place, message, Severity::Note);
        }
    };
    // Both lists are in text order: merged, the errors are too.
    auto unmatched = m_unmatched.begin();
    auto open = m_open.begin();
    while (unmatched != m_unmatched.end() || open != m_open.end()) {
        if (open == m_open.end() ||
            (unmatched != m_unmatched.end() && unmatched->place.offset < open->place.offset)) {
            add(unmatched->place, "')' closes nothing");
            note(unmatched->place, unmatched->extra,
                 "this ')' may be the extra one: the lines after it are indented as if the "
                 "form went on");
            ++unmatched;
        } else {
            add(open->place, "'(' is never closed");
            note(open->place, open->missing,
                 "a ')' may be missing after this: the next line is indented as if the form were "
                 "closed");
            ++open;
        }
    }
    // A string or a block comment left open runs to the end: nothing comes after it.
    if (m_state == LexState::InString)
        add(m_opener, "string is never closed");
    else if (m_state == LexState::InBlockComment)
        add(m_opener, "block comment is never closed");
    if (m_callProblems.empty())
        return problems;
    return InTextOrder(std::move(problems), std::move(m_callProblems));
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
