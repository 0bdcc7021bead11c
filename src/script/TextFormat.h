#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vantrel {

// How a script's text is held on disk: its line end and its encoding. Both are taken once,
// when a whole text goes into the editor, and a save writes the text back the same way.
enum class LineEnd : std::uint8_t
{
    CrLf,
    Lf,
    Cr
};

enum class TextEncoding : std::uint8_t
{
    Windows1252,
    Utf8,
    Utf8WithByteOrderMark
};

struct TextFormat
{
    LineEnd lineEnd = LineEnd::CrLf;
    TextEncoding encoding = TextEncoding::Windows1252;
    bool operator==(const TextFormat&) const = default;
};

constexpr std::u16string_view LineEndText(LineEnd lineEnd)
{
    return lineEnd == LineEnd::Lf ? u"\n" : lineEnd == LineEnd::Cr ? u"\r" : u"\r\n";
}
std::string_view LineEndName(LineEnd lineEnd); // "CR LF", "LF", "CR"
std::string_view EncodingName(TextEncoding encoding);

// The line end of a text: the most common of CR LF, lone LF and lone CR, so that a CR LF
// file with a few stray LFs keeps CR LF. A tie goes to CR LF, then LF; a text without any
// takes CR LF, as Compile writes.
LineEnd MostCommonLineEnd(std::u16string_view text);

// The characters the editor shows in place of what its document cannot hold (line ends
// other than its own, NUL). A file that holds one of them itself is not read as UTF-8, so
// that it is read byte for byte instead.
inline constexpr std::array<char16_t, 4> EditorStandIns = {u'\u2029', u'\u2028', u'\u240D',
                                                           u'\u2400'};

inline constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

// The encoding a file's bytes are read in: UTF-8 when they start with its byte order mark,
// or when they are valid UTF-8 holding at least one multi-byte sequence; otherwise
// Windows-1252, which keeps every byte. Either way no stand-in may come out of them.
TextEncoding DetectEncoding(std::string_view bytes);

// Encodes UTF-16 as UTF-8 piece by piece: a surrogate pair may be cut between two pieces.
class Utf8Encoder
{
public:
    // Room that encode() needs for `units` code units.
    static constexpr std::size_t roomFor(std::size_t units) { return 3 * units + 1; }
    // Encodes text into bytes, which has roomFor(text.size()) bytes; returns the count
    // written. A lone surrogate stops it: firstUnencodable() then says where it was, as a
    // code unit index from the first piece on.
    std::size_t encode(std::u16string_view text, char* bytes);
    std::optional<std::size_t> firstUnencodable() const { return m_bad; }
    // A high surrogate still waits for its other half.
    bool waiting() const { return m_high != 0; }

private:
    char16_t m_high = 0;
    std::size_t m_at = 0;
    std::optional<std::size_t> m_bad;
};

} // namespace vantrel
