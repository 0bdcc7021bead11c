#pragma once

#include <string_view>

// The first word of a command line, and what it asks for. Plain C++, without Qt: the
// Linux launcher decides with it which program to start.
namespace vantrel {

inline constexpr std::string_view CheckWord = "check";
inline constexpr std::string_view ComposeWord = "compose";

// True when the arguments after the program's name open the window: none, or one that
// names a file rather than a command or an option.
inline bool opensWindow(int count, const char* const arguments[])
{
    if (count == 0)
        return true;
    const std::string_view first = arguments[0];
    return count == 1 && first != CheckWord && first != ComposeWord && !first.starts_with('-');
}

} // namespace vantrel
