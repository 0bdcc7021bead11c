#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

namespace vantrel {

// How many arguments a call may have.
struct ArgumentRange
{
    static constexpr std::size_t NoLimit = std::numeric_limits<std::size_t>::max();
    std::size_t min = 0, max = 0;
    bool operator==(const ArgumentRange&) const = default;
};

struct FunctionParameter
{
    std::string_view text; // "<short>", "<number(s)>", "(<boolean> <result>)": in its line
    bool optional = false; // inside [ ]
    bool repeated = false; // (s) or a following "...": one or more
};

// Reads the parameters of a listed function, what follows its name: <x>, <x(s)>, [...] around
// optional ones (nested too), "..." after a parameter that may come again, and (...) groups
// as one parameter each. Gives the argument counts they allow, and the parameters themselves
// into out when it is given; none when the text is not of that shape.
std::optional<ArgumentRange> ReadParameters(std::string_view text,
                                            std::vector<FunctionParameter>* out = nullptr);

// The counts alone, for loading a list: free to read the bytes up to text.data() + readable
// (the list is in memory whole), so that its parameter texts are read a word at a time.
std::optional<ArgumentRange> CountParameters(std::string_view text, std::size_t readable);

} // namespace vantrel
