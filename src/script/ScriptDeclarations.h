#pragma once

#include "script/Declarations.h"
#include "script/ScriptCheck.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// What reading a whole file gives: every problem in text order (the structure check's and
// the declaration rules'), and every declaration.
struct ScriptReading
{
    std::vector<ScriptProblem> problems;
    Declarations declarations;
};

// The tokens the declaration reader takes: everything but spaces, line ends and comments.
constexpr bool IsReadable(TokenKind kind)
{
    return kind == TokenKind::Open || kind == TokenKind::Close || kind == TokenKind::String ||
           kind == TokenKind::Number || kind == TokenKind::Word;
}

// The forms the language itself knows, for completion and for telling a missing name.
std::span<const std::u16string_view> LanguageForms();

// The declaration rules, fed token by token by a ScriptChecker. Each rule says nothing
// where it cannot be sure: a file that real scripts of the family would pass, passes.
//   errors:   an unknown script type, a script without a name or named `begin`, `if` or
//             `cond`, a global without exactly a type, a name and one value, a script or a
//             global name declared twice (a `stub` replaced by a `static` is no repeat)
//   warnings: an empty form `()`, text outside every form
//   a note:   a file in the C-like dialect, instead of all else
class DeclarationReader
{
public:
    void take(const Token& token, std::u16string_view piece, ScriptChecker& places);
    // Adds the reader's problems to the structure check's, in text order.
    ScriptReading finish(std::vector<ScriptProblem> structure);

private:
    using Place = ScriptChecker::Place;
    // One element of a top-level form: a word, a number, a string, or a form with what
    // tells a parameter list `(name (TYPE param) ...)` apart.
    struct Element
    {
        TokenKind kind;
        std::u16string word; // a word's text, or a form's first word
        Place start;         // where the element starts: its problems go there
        Place place;         // of the word, or of the form's first word
        bool parameterList = false;
    };

    void takeAtTop(const Token& token, std::u16string_view text, ScriptChecker& places,
                   std::u16string_view piece);
    void takeInForm(const Token& token, std::u16string_view text, ScriptChecker& places,
                    std::u16string_view piece);
    void formClosed();
    void scriptClosed();
    void globalClosed();
    void name(const Element& element, Declaration declaration);
    void problem(const Place& place, std::string message, Severity severity = Severity::Error);

    std::size_t m_depth = 0;
    bool m_lost = false;             // a ')' closed nothing: what is at the top is unsure
    bool m_strayRun = false;         // the last thing at the top was stray text
    bool m_justOpened = false;       // nothing yet since the last '('
    Place m_opened{};                // that '('
    std::vector<Element> m_elements; // the first few of the top-level form being read
    std::size_t m_elementCount = 0;
    bool m_pairOk = false; // the form two deep is still `(WORD WORD)`
    int m_pairWords = 0;
    std::optional<Place> m_otherDialect;
    std::vector<ScriptProblem> m_problems;
    Declarations m_declarations;
};

// Reads a whole text: its problems and declarations; with a function list, the argument
// counts of its calls are checked too.
ScriptReading ReadScript(std::u16string_view text, const FunctionList* functions = nullptr);

// The same, over a text handed over in pieces cut at line ends (see ScriptChecker).
class ScriptReader
{
public:
    explicit ScriptReader(const FunctionList* functions = nullptr) : m_checker(functions)
    {
        m_checker.readDeclarationsWith(&m_reader);
    }
    ScriptReader(const ScriptReader&) = delete;
    ScriptReader& operator=(const ScriptReader&) = delete;
    void add(std::u16string_view piece) { m_checker.add(piece); }
    ScriptReading finish() { return m_reader.finish(m_checker.finish()); }

private:
    DeclarationReader m_reader;
    ScriptChecker m_checker;
};

} // namespace vantrel
