#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

struct ScriptProblem
{
    std::size_t offset;  // UTF-16 code unit offset in the checked text
    std::size_t line;    // from 1
    std::size_t column;  // from 1, counted in characters (a surrogate pair is one)
    std::string message; // short, plain ASCII, e.g. "')' closes nothing"
};

// The structure check: a ')' that closes nothing, a '(' never closed, a string or a block
// comment never closed, each at the character that shows it. Every problem, in text order.
std::vector<ScriptProblem> CheckScript(std::u16string_view text);

} // namespace vantrel
