// The function list reader on any bytes: every view it keeps lies in its line, each listed
// function is found by its name with counts that hold its own, and a check with the list of
// the same bytes read as a script keeps its errors in order at real '(' (a note after the
// error it explains, wherever it points) and never crashes; the call around every end of
// the text is found without running past it.
#include "FuzzCheck.h"
#include "script/CallContext.h"
#include "script/FunctionList.h"
#include "script/ScriptCheck.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

using namespace vantrel;

namespace {

bool inside(std::string_view part, std::string_view whole)
{
    return part.empty() || (part.data() >= whole.data() &&
                            part.data() + part.size() <= whole.data() + whole.size());
}

void checkSignature(const FunctionSignature& s)
{
    require(s.line.starts_with('(') && s.line.ends_with(')'), "a signature is one form");
    require(!s.name.empty() && inside(s.name, s.line) && inside(s.returnType, s.line),
            "its name and type lie in its line");
    const std::vector<FunctionParameter> parameters = FunctionList::parametersOf(s);
    for (const FunctionParameter& p : parameters)
        require(inside(p.text, s.parameters) && inside(s.parameters, s.line),
                "a parameter lies in its line");
    // Loading reads the counts quickly, word by word; reading the parameters one by one
    // gives the same.
    require(ReadParameters(s.parameters) == s.arguments, "the counts read alike");
    const std::string description = FunctionList::describe(s);
    require(description.size() <= s.description.size(), "a description only loses its ';'s");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const FunctionList list = FunctionList::Read(bytes);
    for (std::uint32_t i = 0; i < list.functions().size(); ++i) {
        const FunctionSignature& s = list.functions()[i];
        checkSignature(s);
        const FunctionList::Entry* entry = list.find(s.name);
        require(entry && std::ranges::count(entry->overloads, i) == 1,
                "a function is found by its name, among its overloads once");
        const ArgumentRange own = s.arguments;
        require(entry->arguments.min <= own.min && entry->arguments.max >= own.max &&
                    own.min <= own.max,
                "merged counts hold each overload's");
        std::u16string wide(s.name.begin(), s.name.end());
        for (char16_t& c : wide)
            c = char16_t(static_cast<unsigned char>(c));
        require(list.find(wide) == entry, "a name is found alike as bytes or as UTF-16");
    }
    for (const FunctionSignature& g : list.globals())
        require(!g.name.empty() && inside(g.parameters, g.line), "a global");

    std::u16string script(size, u' ');
    for (std::size_t i = 0; i < size; ++i)
        script[i] = char16_t(data[i]);
    std::size_t next = 0;
    for (const ScriptProblem& p : CheckScript(script, &list)) {
        require(p.offset < script.size(), "problems lie in the text");
        if (p.severity == Severity::Note)
            continue; // a note follows its error, wherever it points
        require(p.offset >= next, "errors in text order");
        next = p.offset;
        require(std::u16string_view(u"()\";").find(script[p.offset]) != std::u16string_view::npos,
                "a problem is at a parenthesis, a quote or a semicolon");
    }
    for (std::size_t end = 0; end <= std::min<std::size_t>(size, 256); end += 7)
        if (const auto call = FindCallContext(std::u16string_view(script).substr(0, end)))
            require(call->nameOffset + call->nameLength <= end && call->nameLength > 0,
                    "the call's name lies before the end");
    return 0;
}
