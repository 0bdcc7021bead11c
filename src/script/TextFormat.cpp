#include "script/TextFormat.h"

#include <algorithm>
#include <cstring>

namespace vantrel {

std::string_view LineEndName(LineEnd lineEnd)
{
    switch (lineEnd) {
    case LineEnd::Lf:
        return "LF";
    case LineEnd::Cr:
        return "CR";
    case LineEnd::CrLf:
        break;
    }
    return "CR LF";
}

std::string_view EncodingName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        return "UTF-8";
    case TextEncoding::Utf8WithByteOrderMark:
        return "UTF-8 with byte order mark";
    case TextEncoding::Windows1252:
        break;
    }
    return "Windows-1252";
}

LineEnd MostCommonLineEnd(std::u16string_view text)
{
    std::size_t crLf = 0, lf = 0, cr = 0;
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size; ++i) {
        const char16_t c = text[i];
        if (c == u'\n') {
            ++lf;
        } else if (c == u'\r') {
            if (i + 1 < size && text[i + 1] == u'\n') {
                ++crLf;
                ++i;
            } else {
                ++cr;
            }
        }
    }
    if (crLf >= lf && crLf >= cr)
        return LineEnd::CrLf;
    return lf >= cr ? LineEnd::Lf : LineEnd::Cr;
}

namespace {

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence that starts at `at` and decodes to no stand-in,
// or 0. Overlong forms, surrogates and code points past U+10FFFF are not valid.
std::size_t sequenceAt(std::string_view bytes, std::size_t at)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[at + k]); };
    const unsigned char lead = byte(0);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || bytes.size() - at < length)
        return 0;
    char32_t code = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if (!isContinuation(byte(k)))
            return 0;
        code = (code << 6) | (byte(k) & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    if (overlong || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
        return 0;
    if (std::ranges::find(EditorStandIns, code) != EditorStandIns.end())
        return 0;
    return length;
}

} // namespace

TextEncoding DetectEncoding(std::string_view bytes)
{
    const bool mark = bytes.starts_with(Utf8ByteOrderMark);
    if (mark)
        bytes.remove_prefix(Utf8ByteOrderMark.size());
    bool multiByte = false;
    std::size_t at = 0;
    while (at < bytes.size()) {
        // Most of a script is ASCII: eight bytes at a time while none has its high bit.
        std::uint64_t word;
        if (bytes.size() - at >= sizeof word) {
            std::memcpy(&word, bytes.data() + at, sizeof word);
            if ((word & 0x8080808080808080ULL) == 0) {
                at += sizeof word;
                continue;
            }
        }
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            ++at;
            continue;
        }
        const std::size_t length = sequenceAt(bytes, at);
        if (length == 0)
            return TextEncoding::Windows1252;
        multiByte = true;
        at += length;
    }
    if (mark)
        return TextEncoding::Utf8WithByteOrderMark;
    return multiByte ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

std::size_t Utf8Encoder::encode(std::u16string_view text, char* bytes)
{
    char* out = bytes;
    const auto put = [&out](char32_t code) {
        if (code < 0x80) {
            *out++ = char(code);
        } else if (code < 0x800) {
            *out++ = char(0xC0 | (code >> 6));
            *out++ = char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            *out++ = char(0xE0 | (code >> 12));
            *out++ = char(0x80 | ((code >> 6) & 0x3F));
            *out++ = char(0x80 | (code & 0x3F));
        } else {
            *out++ = char(0xF0 | (code >> 18));
            *out++ = char(0x80 | ((code >> 12) & 0x3F));
            *out++ = char(0x80 | ((code >> 6) & 0x3F));
            *out++ = char(0x80 | (code & 0x3F));
        }
    };
    for (std::size_t i = 0; i < text.size() && !m_bad; ++i, ++m_at) {
        const char16_t unit = text[i];
        const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
        if (m_high != 0) {
            if (!low) {
                m_bad = m_at - 1;
                break;
            }
            put(0x10000 + ((char32_t(m_high) - 0xD800) << 10) + (unit - 0xDC00));
            m_high = 0;
        } else if (unit >= 0xD800 && unit <= 0xDBFF) {
            m_high = unit;
        } else if (low) {
            m_bad = m_at;
        } else {
            put(unit);
        }
    }
    return std::size_t(out - bytes);
}

} // namespace vantrel
