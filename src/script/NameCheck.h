#pragma once

#include <optional>
#include <string_view>

namespace vantrel {

// What the instructions ask of a name: something, with underscores for spaces and no
// quotes; parentheses and semicolons are the language's own. A name that breaks this
// still composes byte for byte: the window marks it and the command line warns.
enum class NameProblem
{
    Empty,
    Whitespace,
    Quote,
    Parenthesis,
    Semicolon
};

// The first thing wrong with a name, reading from its start; nothing for a good name.
// Whitespace is any character of Unicode's White_Space set, the no-break space included.
std::optional<NameProblem> CheckName(std::u16string_view name);

// What is wrong, for a user: "the name holds a double quote: names take no quotes".
std::string_view NameProblemText(NameProblem problem);

} // namespace vantrel
