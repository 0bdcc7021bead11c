#pragma once

#include "script/FunctionList.h"
#include "script/ScriptLexer.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

class DeclarationReader;

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

enum class Notes : std::uint8_t
{
    Located,
    None // the same errors, without the notes
};

// The structure check: a ')' that closes nothing, a '(' never closed, a string or a block
// comment never closed, each at the character that shows it. With a function list, also
// each call of a listed function with too few or too many arguments, at its '('. The errors
// come in text order.
//
// Such an error is often far from where the mistake was made: a ')' too many closes the
// script's form early and the script's own last ')' is reported; a ')' too few is reported at
// the script's first '('. So a bracket error may be followed by a note where the script's
// indentation says the mistake most likely is: the ')' after which the lines are still
// indented as the closed form's body, or the end of the line after which the indentation
// comes out of a form that stays open.
std::vector<ScriptProblem> CheckScript(std::u16string_view text,
                                       const FunctionList* functions = nullptr,
                                       Notes notes = Notes::Located);

// The problem to show first: the note on the first error when it has one, since that is
// where the mistake most likely is; else the first problem. 0 when there are none.
std::size_t FirstToShow(const std::vector<ScriptProblem>& problems);

// Both lists of problems in one, in text order, except that a note stays right after the
// error it explains, wherever it points.
std::vector<ScriptProblem> InTextOrder(std::vector<ScriptProblem> first,
                                       std::vector<ScriptProblem> second);

// The same check over a text handed over in pieces, so that an editor can check a long
// text a few lines at a time. Pieces may be cut only just before or just after a line end.
class ScriptChecker
{
public:
    explicit ScriptChecker(const FunctionList* functions = nullptr, Notes notes = Notes::Located)
        : m_locate(notes == Notes::Located), m_functions(functions)
    {
    }

    // Hands each token other than spaces, line ends and comments on to `reader` as well,
    // so that the declarations are read in the same pass.
    void readDeclarationsWith(DeclarationReader* reader) { m_reader = reader; }
    void add(std::u16string_view piece);
    std::vector<ScriptProblem> finish();

    struct Place
    {
        std::size_t offset, line, column;
    };
    // The place of a character of the piece being added; asked for in text order only.
    Place placeOf(std::u16string_view piece, std::size_t at);

private:
    struct Opener
    {
        Place place;
        std::size_t shownColumn;      // with tabs shown as in an editor
        std::optional<Place> missing; // the first place after it where a ')' seems missing
    };
    struct Closer
    {
        Place place;
        std::optional<Place> extra; // where the ')' too many most likely is
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

    void countLines(std::u16string_view piece, const Token& token);
    void open(const Place& place);
    void close(const Place& place);
    void lineBegins(std::u16string_view piece, const Token& first);
    void openForm(const Place& place, bool afterWord);
    void element(std::u16string_view word);
    void closeForm();

    LexState m_state = LexState::Code;
    std::size_t m_start = 0; // the current piece's offset in the whole text
    std::size_t m_line = 1;
    // The column at m_counted, an offset of the current line in the current piece.
    std::size_t m_counted = 0, m_column = 1;
    char16_t m_last = 0; // the last character before the current piece
    std::vector<Closer> m_unmatched;
    std::vector<Opener> m_open;
    Place m_opener{}; // where the string or block comment that is still open begins

    // The shape of the lines, for the notes. Columns are shown columns, from 0.
    bool m_locate;
    bool m_lineStart = m_locate;
    std::size_t m_indent = 0;        // of the current line
    std::size_t m_tabExtra = 0;      // the current line's shown columns beyond its characters
    std::size_t m_lineCode = 0;      // where the current (or last) line of code begins
    std::size_t m_lastIndent = 0;    // and its indentation
    std::size_t m_step = 4;          // one level's indentation in the current top-level form
    std::optional<Place> m_lastCode; // the last code token of the last line with code
    // Of the forms closed since the last line of code began, the one whose '(' stands
    // furthest left: that column, and its ')'.
    std::optional<std::pair<std::size_t, Place>> m_closed;
    std::optional<Place> m_extra; // a ')' that seems too many, since the last top-level line

    DeclarationReader* m_reader = nullptr;

    const FunctionList* m_functions;
    std::vector<Form> m_forms;               // alongside m_open
    std::size_t m_wordEnd = std::size_t(-1); // where the last word ended, in the whole text
    std::vector<ScriptProblem> m_callProblems;
};

} // namespace vantrel
