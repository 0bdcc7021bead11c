#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Script files hold one byte per character in Windows-1252. The five bytes that the set
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of the
// same code, so every byte decodes to a character and encodes back to itself. Text is
// UTF-16, as the editor holds it.
namespace vantrel {

std::u16string decodeWindows1252(std::string_view bytes);
// The same into text, which has room for bytes.size() characters: a large file is then
// decoded straight into the caller's string, with no copy after it.
void decodeWindows1252(std::string_view bytes, char16_t* text);

struct Windows1252Bytes
{
    std::string bytes;
    // The index of the first code unit that has no byte in the set (the high half of a
    // surrogate pair names the pair); bytes is empty then.
    std::optional<std::size_t> firstUnencodable;
};

Windows1252Bytes encodeWindows1252(std::u16string_view text);
// The same into bytes, which has room for text.size() bytes, so that a long text is
// encoded piece by piece into one buffer. Returns the index of the first code unit that
// has no byte, and then leaves the bytes from that index on unwritten.
std::optional<std::size_t> encodeWindows1252(std::u16string_view text, char* bytes);

} // namespace vantrel
