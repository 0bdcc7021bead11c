#include "files/ScriptWriter.h"

#include "files/TextPieces.h"
#include "script/TextFormat.h"
#include "script/Windows1252.h"

#include <algorithm>
#include <memory>
#include <string_view>

namespace vantrel {
namespace {

constexpr std::size_t BufferSize = std::size_t(1) << 20;

// One buffer, encoded into and written out each time it fills.
class BufferedWriter
{
public:
    BufferedWriter(FileSystem::Handle file, TextEncoding encoding)
        : m_file(file), m_utf8(encoding != TextEncoding::Windows1252)
    {
    }

    // Encodes a piece into the buffer, writing the buffer out each time it fills; false
    // once a write or a character has failed.
    bool put(std::u16string_view piece)
    {
        while (!piece.empty()) {
            const std::size_t room = BufferSize - m_used;
            const std::size_t count =
                std::min(piece.size(), m_utf8 ? (room > 0 ? (room - 1) / 3 : 0) : room);
            if (count == 0) {
                if (!flush())
                    return false;
                continue;
            }
            char* const to = m_bytes.get() + m_used;
            if (m_utf8) {
                m_used += m_encoder.encode(piece.substr(0, count), to);
                if (const auto bad = m_encoder.firstUnencodable())
                    return fail(FileSystem::unencodableError(), *bad);
            } else {
                if (const auto bad = encodeWindows1252(piece.substr(0, count), to))
                    return fail(FileSystem::unencodableError(), m_encoded + *bad);
                m_used += count;
            }
            m_encoded += count;
            piece.remove_prefix(count);
        }
        return true;
    }

    // Bytes that need no encoding: the byte order mark.
    void putBytes(std::string_view bytes)
    {
        std::copy(bytes.begin(), bytes.end(), m_bytes.get() + m_used);
        m_used += bytes.size();
    }

    bool flush()
    {
        if (const int error = FileSystem::write(m_file, m_bytes.get(), std::int64_t(m_used)))
            return fail(error);
        m_used = 0;
        return true;
    }

    int error() const { return m_error; }
    std::optional<std::size_t> unencodable() const { return m_unencodable; }

private:
    bool fail(int error, std::optional<std::size_t> unencodable = std::nullopt)
    {
        m_error = error;
        m_unencodable = unencodable;
        return false;
    }

    FileSystem::Handle m_file;
    std::unique_ptr<char[]> m_bytes = std::make_unique_for_overwrite<char[]>(BufferSize);
    std::size_t m_used = 0;
    bool m_utf8;
    Utf8Encoder m_encoder;
    std::size_t m_encoded = 0; // code units so far, to tell where a character without a byte is
    int m_error = 0;
    std::optional<std::size_t> m_unencodable;
};

} // namespace

int writeScript(FileSystem::Handle file, const TextPieces& text,
                std::optional<std::size_t>& unencodable, std::u16string_view ending)
{
    BufferedWriter writer(file, text.encoding());
    std::int64_t size = 0;
    if (text.encoding() == TextEncoding::Utf8WithByteOrderMark) {
        if (const int error = FileSystem::sizeOf(file, size))
            return error;
        if (size == 0)
            writer.putBytes(Utf8ByteOrderMark);
    }
    text.forEachPiece([&writer](std::u16string_view piece) { return writer.put(piece); });
    if (writer.error() == 0 && writer.put(ending))
        writer.flush();
    unencodable = writer.unencodable();
    return writer.error();
}

} // namespace vantrel
