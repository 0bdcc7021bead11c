#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// What keeps a name (of a script, a trigger volume, a flag or a vehicle) from standing as
// one word inside its quotes: empty, or holding whitespace, a double quote, a parenthesis or
// a semicolon (the first of them in the name). Empty when the name is fine.
std::string NameProblem(std::u16string_view name);

} // namespace vantrel
