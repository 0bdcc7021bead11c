// Script files are Windows-1252. Every byte string decodes to one character per byte and
// encodes back to itself; any other text either encodes to bytes that decode back to it, or
// names the first character that has no byte.
#include "FuzzCheck.h"
#include "script/Windows1252.h"

#include <cstddef>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>

using namespace vantrel;

namespace {

void checkBytes(const std::string& bytes)
{
    const std::u16string text = decodeWindows1252(bytes);
    require(text.size() == bytes.size(), "one character per byte");
    const Windows1252Bytes back = encodeWindows1252(text);
    require(!back.firstUnencodable && back.bytes == bytes,
            "decoded bytes encode back to themselves");
}

bool isHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit < 0xDC00;
}

bool isLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit < 0xE000;
}

// The character at index, with its low surrogate when it is the high half of a pair.
std::u16string_view characterAt(std::u16string_view text, std::size_t index)
{
    const bool pair =
        isHighSurrogate(text[index]) && index + 1 < text.size() && isLowSurrogate(text[index + 1]);
    return text.substr(index, pair ? 2 : 1);
}

void checkText(const std::u16string& text)
{
    const Windows1252Bytes encoded = encodeWindows1252(text);
    if (!encoded.firstUnencodable) {
        require(decodeWindows1252(encoded.bytes) == text, "encoded text decodes back to itself");
        return;
    }
    const std::size_t index = *encoded.firstUnencodable;
    require(encoded.bytes.empty(), "nothing is encoded when a character has no byte");
    require(index < text.size(), "the unencodable character is in the text");
    require(!encodeWindows1252(std::u16string_view(text).substr(0, index)).firstUnencodable,
            "everything before it encodes");
    require(encodeWindows1252(characterAt(text, index)).firstUnencodable.has_value(),
            "the named character has no byte");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::string bytes = input.ConsumeRandomLengthString();
    checkBytes(bytes);
    // Mostly text a file could hold, with any UTF-16 code units put in here and there.
    std::u16string text = decodeWindows1252(bytes);
    while (input.remaining_bytes() >= 3) {
        const auto at = input.ConsumeIntegralInRange<std::size_t>(0, text.size());
        text.insert(text.begin() + std::ptrdiff_t(at), input.ConsumeIntegral<char16_t>());
    }
    checkText(text);
    return 0;
}
