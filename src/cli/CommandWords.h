#pragma once

#include <cstddef>
#include <string_view>

// The first word of a command line, and what it asks for. Plain C++, without Qt: the
// Linux launcher decides with it which program to start.
namespace vantrel {

inline constexpr std::string_view CheckWord = "check";
inline constexpr std::string_view ComposeWord = "compose";
// Ends the options: every word after it is a file, whatever it looks like.
inline constexpr std::string_view EndOfOptions = "--";

// True when the arguments after the program's name (words that convert to
// std::string_view) open the window: none, or one FILE. Before the first "--", a word that
// names a command or starts with '-' asks for a command instead; after it, any word is the
// FILE, so that `vantrel -- -odd.hsc` opens a file of that name.
template <class Words> bool opensWindow(const Words& words)
{
    std::size_t files = 0;
    bool optionsEnded = false;
    for (const std::string_view word : words) {
        if (!optionsEnded && word == EndOfOptions)
            optionsEnded = true;
        else if (!optionsEnded &&
                 (word == CheckWord || word == ComposeWord || word.starts_with('-')))
            return false;
        else
            ++files;
    }
    return files <= 1;
}

} // namespace vantrel
