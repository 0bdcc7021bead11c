#include "ScriptNames.h"

#include "ScriptLexer.h"

namespace vantrel {
namespace {

bool isWhitespace(char16_t c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r') || c == u'\u0085' || c == u'\u00A0' ||
           c == u'\u1680' || (c >= u'\u2000' && c <= u'\u200A') || c == u'\u202F' ||
           c == u'\u205F' || c == u'\u3000' || IsLineEnd(c);
}

} // namespace

std::string NameProblem(std::u16string_view name)
{
    if (name.empty())
        return "The name is empty.";
    for (char16_t c : name) {
        if (isWhitespace(c))
            return "The name holds a space.";
        if (c == u'"')
            return "The name holds a double quote.";
        if (c == u'(' || c == u')')
            return "The name holds a parenthesis.";
        if (c == u';')
            return "The name holds a semicolon.";
    }
    return {};
}

} // namespace vantrel
