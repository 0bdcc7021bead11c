#pragma once

#include "script/FunctionList.h"
#include "script/ScriptLexer.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// How much a problem weighs: an error stops the script from working, a warning is very
// likely a mistake, a note says where an error was most likely made.
enum class Severity : std::uint8_t
{
    Error,
    Warning,
    Note
};

// The word a compiler prints for the severity: "error", "warning", "note".
std::string_view SeverityWord(Severity severity);

struct ScriptProblem
{
    std::size_t offset;  // UTF-16 code unit offset in the checked text
    std::size_t line;    // from 1
    std::size_t column;  // from 1, counted in characters (a surrogate pair is one)
    std::string message; // short, plain ASCII, e.g. "')' closes nothing"
    Severity severity = Severity::Error;
};

// The structure check: a ')' that closes nothing, a '(' never closed, a string or a block
// comment never closed, each at the character that shows it. With a function list, also
// each call of a listed function with too few or too many arguments, at its '('. Every
// problem, in text order.
std::vector<ScriptProblem> CheckScript(std::u16string_view text,
                                       const FunctionList* functions = nullptr);

// The same check over a text handed over in pieces, so that an editor can check a long
// text a few lines at a time. Pieces may be cut only just before or just after a line end.
class ScriptChecker
{
public:
    explicit ScriptChecker(const FunctionList* functions = nullptr) : m_functions(functions) {}
    void add(std::u16string_view piece);
    std::vector<ScriptProblem> finish();

private:
    struct Place
    {
        std::size_t offset, line, column;
    };

    // A form open while a function list is in use: what its head calls, and whether its
    // count can be trusted.
    struct Form
    {
        const FunctionList::Entry* function = nullptr;
        std::size_t elements = 0; // the head included
        Place open{};
        bool quiet = false;     // neither it nor the forms inside it are checked
        bool unchecked = false; // it alone is not checked
        std::uint8_t role = 0;  // script, cond, other
        std::size_t nameAt = 2; // a script's name: where a form is its signature
    };

    Place placeOf(std::u16string_view piece, std::size_t at);
    void countLines(std::u16string_view piece, const Token& token);
    void openForm(const Place& place, bool afterWord);
    void element(std::u16string_view word);
    void closeForm();

    LexState m_state = LexState::Code;
    std::size_t m_start = 0; // the current piece's offset in the whole text
    std::size_t m_line = 1;
    // The column at m_counted, an offset of the current line in the current piece.
    std::size_t m_counted = 0, m_column = 1;
    char16_t m_last = 0; // the last character before the current piece
    std::vector<Place> m_unmatched, m_open;
    Place m_opener{}; // where the string or block comment that is still open begins

    const FunctionList* m_functions;
    std::vector<Form> m_forms;               // alongside m_open
    std::size_t m_wordEnd = std::size_t(-1); // where the last word ended, in the whole text
    std::vector<ScriptProblem> m_callProblems;
};

} // namespace vantrel
