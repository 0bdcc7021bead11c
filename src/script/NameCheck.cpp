#include "script/NameCheck.h"

#include <algorithm>

namespace vantrel {
namespace {

bool isWhitespace(char16_t c)
{
    constexpr char16_t others[] = {u' ',      u'\u0085', u'\u00A0', u'\u1680', u'\u2028',
                                   u'\u2029', u'\u202F', u'\u205F', u'\u3000'};
    return (c >= u'\t' && c <= u'\r') || (c >= u'\u2000' && c <= u'\u200A') ||
           std::ranges::find(others, c) != std::end(others);
}

std::optional<NameProblem> problemOf(char16_t c)
{
    if (isWhitespace(c))
        return NameProblem::Whitespace;
    switch (c) {
    case u'"':
        return NameProblem::Quote;
    case u'(':
    case u')':
        return NameProblem::Parenthesis;
    case u';':
        return NameProblem::Semicolon;
    default:
        return std::nullopt;
    }
}

} // namespace

std::optional<NameProblem> CheckName(std::u16string_view name)
{
    if (name.empty())
        return NameProblem::Empty;
    for (const char16_t c : name)
        if (const std::optional<NameProblem> problem = problemOf(c))
            return problem;
    return std::nullopt;
}

std::string_view NameProblemText(NameProblem problem)
{
    switch (problem) {
    case NameProblem::Empty:
        return "the name is empty";
    case NameProblem::Whitespace:
        return "the name holds a space: use underscores to represent spaces";
    case NameProblem::Quote:
        return "the name holds a double quote: names take no quotes";
    case NameProblem::Parenthesis:
        return "the name holds a parenthesis, which the script's forms use";
    case NameProblem::Semicolon:
        return "the name holds a semicolon, which the script's comments use";
    }
    return {};
}

} // namespace vantrel
