#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace vantrel {

// 0x80 in each byte of word that is zero, and nowhere else.
constexpr std::uint64_t ZeroBytes(std::uint64_t word)
{
    constexpr std::uint64_t low7 = 0x7F7F7F7F7F7F7F7Full;
    return ~(((word & low7) + low7) | word | low7);
}

// The first of text's bytes from `from` on that is one of Stops, or text.size(). Eight
// bytes at a time: a loop over each byte of a short name pays a wrongly guessed branch at
// its end, which costs more than the name. The bytes up to text.data() + readable (at least
// text.size()) may be read, so that a short text's last word is read whole too.
template <char... Stops>
std::size_t FirstOf(std::string_view text, std::size_t from, std::size_t readable)
{
    if constexpr (std::endian::native == std::endian::little) {
        for (; from < text.size() && from + 8 <= readable; from += 8) {
            std::uint64_t word;
            std::memcpy(&word, text.data() + from, 8);
            const std::uint64_t hits =
                (ZeroBytes(word ^ (0x0101010101010101ull * std::uint8_t(Stops))) | ...);
            if (hits)
                return std::min(text.size(), from + std::size_t(std::countr_zero(hits) / 8));
        }
        if (from >= text.size())
            return text.size();
    }
    while (from < text.size() && ((text[from] != Stops) && ...))
        ++from;
    return from;
}

} // namespace vantrel
