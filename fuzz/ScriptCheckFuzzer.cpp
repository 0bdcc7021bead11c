// The lexer and the structure check on any text: the tokens cover it exactly, the cheap
// state scan agrees with the lexer, the state scan and the check agree with themselves when
// the text comes in pieces cut at a line end, every problem sits at a real character of the
// text, a note only ever follows an error and leaves the errors as they are without notes,
// and balanced forms built from the same input report nothing. The declaration reader
// likewise: the same in pieces as in one, its problems in order on real characters, each
// name a word of the text where its place says.
#include "FuzzCheck.h"
#include "script/ScriptCheck.h"
#include "script/ScriptDeclarations.h"
#include "script/ScriptLexer.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

using namespace vantrel;

namespace {

// ASCII stays itself, so the seeds are readable scripts; the other bytes pick characters
// that the lexer must treat with care.
char16_t charFor(uint8_t byte)
{
    static constexpr char16_t Special[] = {0x2028, 0x2029, 0x240D, 0xE9,   0xD83D,
                                           0xDE00, 0xA0,   0x20AC, 0xFEFF, 0xFFFF};
    return byte < 0x80 ? byte : Special[byte % std::size(Special)];
}

void checkTokens(std::u16string_view text)
{
    Lexer lexer(text);
    std::size_t covered = 0;
    while (const std::optional<Token> token = lexer.next()) {
        require(token->offset == covered && token->length > 0, "tokens follow on, none empty");
        covered += token->length;
    }
    require(covered == text.size(), "the tokens cover the text");
    require(ScanState(text) == lexer.state(), "the scan ends in the lexer's state");
}

bool sameProblems(const std::vector<ScriptProblem>& a, const std::vector<ScriptProblem>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.offset == y.offset && x.line == y.line && x.column == y.column &&
               x.message == y.message && x.severity == y.severity;
    });
}

// Cut just before a line end, and again just after it, as an editor hands out its lines.
void checkPieces(std::u16string_view text, std::size_t split)
{
    while (split < text.size() && !IsLineEnd(text[split]))
        ++split;
    const std::size_t after = std::min(split + 1, text.size());
    const LexState first = ScanState(text.substr(0, after));
    require(ScanState(text.substr(after), first) == ScanState(text),
            "two pieces split after a line end end as the whole");
    ScriptChecker checker;
    for (std::u16string_view piece :
         {text.substr(0, split), text.substr(split, after - split), text.substr(after)})
        checker.add(piece);
    require(sameProblems(checker.finish(), CheckScript(text)),
            "the check in pieces finds what it finds in one");

    ScriptReader reader;
    for (std::u16string_view piece :
         {text.substr(0, split), text.substr(split, after - split), text.substr(after)})
        reader.add(piece);
    const ScriptReading pieces = reader.finish(), whole = ReadScript(text);
    require(sameProblems(pieces.problems, whole.problems),
            "the reader in pieces finds what it finds in one");
    require(pieces.declarations.size() == whole.declarations.size(),
            "the reader in pieces reads as many declarations");
}

void checkDeclarations(std::u16string_view text)
{
    const ScriptReading read = ReadScript(text);
    const std::vector<ScriptProblem> structure = CheckScript(text);
    std::size_t last = 0;
    for (const ScriptProblem& p : read.problems) {
        require(p.offset < text.size() && p.line >= 1 && p.column >= 1,
                "problems lie in the text, counted from 1");
        if (p.severity == Severity::Note && &p != &read.problems.front())
            continue; // a note follows the error it explains, wherever it points
        require(p.offset >= last, "the others in text order");
        last = p.offset;
    }
    const bool otherDialect =
        read.problems.size() == 1 && read.problems[0].severity == Severity::Note;
    require(otherDialect || read.problems.size() >= structure.size(),
            "the structure check's problems are all there");
    for (const Declaration& d : read.declarations) {
        require(!d.name.empty() && d.place.offset + d.name.size() <= text.size() &&
                    text.substr(d.place.offset, d.name.size()) == d.name,
                "a declaration's name is where its place says");
    }
}

void checkPlaces(std::u16string_view text)
{
    std::vector<std::size_t> lineStarts{0};
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (!IsLineEnd(text[at]))
            continue;
        if (at > 0 && IsLineFeed(text[at]) && IsCarriageReturn(text[at - 1]))
            lineStarts.back() = at + 1;
        else
            lineStarts.push_back(at + 1);
    }
    const std::vector<ScriptProblem> problems = CheckScript(text);
    std::vector<ScriptProblem> errors;
    std::size_t next = 0; // errors in text order, no two at one place
    for (std::size_t i = 0; i < problems.size(); ++i) {
        const ScriptProblem& p = problems[i];
        require(p.offset < text.size(), "problems lie in the text");
        if (p.severity == Severity::Note) {
            require(i > 0 && problems[i - 1].severity == Severity::Error &&
                        (problems[i - 1].message.starts_with("')'") ||
                         problems[i - 1].message.starts_with("'('")),
                    "a note follows a bracket error");
            require(problems[i - 1].line != p.line, "a note is on another line than its error");
            require(!IsLineEnd(text[p.offset]) && text[p.offset] != u' ' &&
                        text[p.offset] != u'\t' && text[p.offset] != u';' && text[p.offset] != u'"',
                    "a note is at code");
        } else {
            require(p.offset >= next, "errors come in text order");
            next = p.offset + 1;
            require(std::u16string_view(u"()\";").find(text[p.offset]) != std::u16string_view::npos,
                    "an error is at a parenthesis, a quote or a semicolon");
            errors.push_back(p);
        }
        require(p.line >= 1 && p.line <= lineStarts.size(), "the line is in the text");
        const std::size_t start = lineStarts[p.line - 1];
        require(start <= p.offset && (p.line == lineStarts.size() || p.offset < lineStarts[p.line]),
                "the problem is on its line");
        require(p.column >= 1 && p.column <= p.offset - start + 1, "the column is on its line");
    }
    require(sameProblems(errors, CheckScript(text, nullptr, Notes::None)),
            "the errors are those of the check without notes");
}

// Appends text made of `allowed` characters only.
void appendText(FuzzedDataProvider& in, std::u16string& out, bool (*allowed)(char16_t))
{
    for (std::size_t n = in.ConsumeIntegralInRange(0, 6); n > 0; --n)
        if (const char16_t c = charFor(in.ConsumeIntegral<uint8_t>()); allowed(c))
            out += c;
}

void appendForm(FuzzedDataProvider& in, std::u16string& out, int depth)
{
    out += u'(';
    for (int items = in.ConsumeIntegralInRange(0, 4); items > 0; --items) {
        switch (in.ConsumeIntegralInRange(0, 5)) {
        case 0:
            if (depth < 8)
                appendForm(in, out, depth + 1);
            break;
        case 1: // a word or a number
            appendText(in, out, [](char16_t c) {
                return std::u16string_view(u"()\"; \t").find(c) == std::u16string_view::npos &&
                       !IsLineEnd(c);
            });
            break;
        case 2:
            out += u'"';
            appendText(in, out, [](char16_t c) { return c != u'"'; });
            out += u'"';
            break;
        case 3: // a line comment; a star after its semicolon would open a block
            out += u"; ";
            appendText(in, out, [](char16_t c) { return !IsLineEnd(c); });
            out += u'\n';
            break;
        case 4:
            out += u";*";
            appendText(in, out, [](char16_t c) { return c != u';'; });
            out += u"*;";
            break;
        default:
            out += charFor(in.PickValueInArray<uint8_t>({' ', '\t', '\r', '\n', 0x80, 0x81, 0x82}));
        }
    }
    out += u')';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::u16string text(size, u' ');
    for (std::size_t i = 0; i < size; ++i)
        text[i] = charFor(data[i]);
    checkTokens(text);
    checkPlaces(text);
    checkDeclarations(text);

    FuzzedDataProvider input(data, size);
    checkPieces(text, input.ConsumeIntegralInRange<std::size_t>(0, size));
    std::u16string forms;
    while (input.remaining_bytes() > 0 && forms.size() < 4096)
        appendForm(input, forms, 1);
    checkTokens(forms);
    require(CheckScript(forms).empty(), "balanced forms have no problem");
    return 0;
}
