#include "script/Windows1252.h"

#include <algorithm>
#include <array>

namespace vantrel {

namespace {

// The characters of bytes 0x80 to 0x9F; every other byte is the code point of its value.
constexpr std::array<char16_t, 32> Upper = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178'};

// The character of every byte, looked up without a branch.
constexpr std::array<char16_t, 256> Characters = [] {
    std::array<char16_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte)
        table[byte] = byte >= 0x80 && byte < 0xA0 ? Upper[byte - 0x80] : char16_t(byte);
    return table;
}();

char16_t characterOf(char byte)
{
    return Characters[static_cast<unsigned char>(byte)];
}

// The byte of a code unit, or -1 when the set has none (U+0080 to U+009F other than the
// five above, every other character past U+00FF, and each half of a surrogate pair).
int byteOf(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return unit;
    const auto found = std::find(Upper.begin(), Upper.end(), unit);
    return found == Upper.end() ? -1 : 0x80 + int(found - Upper.begin());
}

} // namespace

std::u16string decodeWindows1252(std::string_view bytes)
{
    std::u16string text(bytes.size(), u'\0');
    decodeWindows1252(bytes, text.data());
    return text;
}

void decodeWindows1252(std::string_view bytes, char16_t* text)
{
    std::transform(bytes.begin(), bytes.end(), text, characterOf);
}

Windows1252Bytes encodeWindows1252(std::u16string_view text)
{
    std::string bytes(text.size(), '\0');
    if (const std::optional<std::size_t> first = encodeWindows1252(text, bytes.data()))
        return {std::string(), first};
    return {std::move(bytes), std::nullopt};
}

std::optional<std::size_t> encodeWindows1252(std::u16string_view text, char* bytes)
{
    // Most of a script is ASCII. It goes through in runs of a fixed length, checked and
    // narrowed in loops that compilers vectorise; a run with any other character is looked
    // up character by character.
    constexpr std::size_t Run = 32;
    for (std::size_t i = 0; i < text.size();) {
        const char16_t* run = text.data() + i;
        if (text.size() - i >= Run) {
            char16_t bits = 0;
            for (std::size_t k = 0; k < Run; ++k)
                bits |= run[k];
            if (bits < 0x80) {
                for (std::size_t k = 0; k < Run; ++k)
                    bytes[i + k] = char(run[k]);
                i += Run;
                continue;
            }
        }
        for (const std::size_t end = std::min(text.size(), i + Run); i < end; ++i) {
            const int byte = byteOf(text[i]);
            if (byte < 0)
                return i;
            bytes[i] = char(byte);
        }
    }
    return std::nullopt;
}

} // namespace vantrel
