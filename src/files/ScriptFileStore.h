#pragma once

#include "files/FileSystem.h"
#include "script/TextFormat.h"

#include <QString>
#include <cstddef>
#include <optional>

namespace vantrel {

class MessageSink;
class TextPieces;

// Reads script files whole and appends texts to them. Every failure is shown once through
// the message sink, and the caller gets only the plain result.
class ScriptFileStore
{
public:
    // Texts of the messages, exactly as users know them.
    static const QString SorryTitle;
    static const QString ErrorTitle;
    static const QString FileNotFound;
    static const QString NotSaved;
    // The largest file that loads: the editor counts its characters in an int.
    static constexpr std::int64_t LargestLoadableSize = 0x7FFFFFFF;

    explicit ScriptFileStore(MessageSink& messages) : m_messages(messages) {}

    // True when the length of the file at path can be queried; shows nothing.
    bool FileExists(const QString& path) const;
    // The file's size, last write and identity, to tell later whether another program has
    // changed it; nothing when it cannot be found. Shows nothing.
    std::optional<FileSystem::FileState> StateOf(const QString& path) const;
    // The file's whole content, or nothing after a failure (which has been shown).
    std::optional<QString> LoadTextFile(const QString& path);
    // The same, with the encoding it was read in (see DetectEncoding): a byte order mark is
    // not part of the text. state, when given, is the loaded version's.
    std::optional<QString> LoadTextFile(const QString& path, TextEncoding& encoding,
                                        FileSystem::FileState* state = nullptr);
    // A file's bytes as text in the given encoding, every byte kept.
    static QString decode(const QByteArray& bytes, TextEncoding encoding);
    // Appends text and CR LF to the file, creating it when absent, in the text's encoding
    // (a byte order mark goes first only into an empty file). A file that does not end with
    // a line end first gets one, so that the text starts on a line of its own. On failure
    // the file is left exactly as it was, and the result is false.
    bool SaveTextFile(const QString& text, const QString& path);
    // The same for a text in pieces, which the file gets as they come, never whole.
    bool SaveTextFile(const TextPieces& text, const QString& path);
    // Replaces the file's content with exactly the text, atomically: the text goes to a new
    // file beside it, which takes the old one's permissions and is renamed over it. On
    // failure the file is left exactly as it was, and the result is false. state, when
    // given, is the written version's.
    bool ReplaceTextFile(const TextPieces& text, const QString& path,
                         FileSystem::FileState* state = nullptr);

    // The store's single file channel: taken from an open until the channel is destroyed,
    // which closes the file on every path. An open while the channel is taken elsewhere
    // fails with the file-already-open error.
    class Channel
    {
    public:
        explicit Channel(ScriptFileStore& store) : m_store(store) {}
        Channel(const Channel&) = delete;
        Channel& operator=(const Channel&) = delete;
        ~Channel();

        [[nodiscard]] int openForReading(const QString& path);
        [[nodiscard]] int openForAppending(const QString& path, bool& created);
        [[nodiscard]] int createBeside(const FileSystem::Path& file, FileSystem::Path& created);
        FileSystem::Handle file() const { return m_file; }
        // Closes the file and frees the channel; nothing when no file is open.
        int close();

    private:
        template <class Open> int open(Open openFile);

        ScriptFileStore& m_store;
        FileSystem::Handle m_file = FileSystem::NoHandle;
    };

private:
    int readWhole(const QString& path, QByteArray& bytes, FileSystem::FileState& state);
    int append(const TextPieces& text, const QString& path,
               std::optional<std::size_t>& unencodable);
    int replace(const TextPieces& text, const QString& path, FileSystem::FileState& written,
                std::optional<std::size_t>& unencodable);
    // Shows a failed save's error and returns false.
    bool saveFailed(int error, const TextPieces& text, std::optional<std::size_t> unencodable);
    // The "Error" box: "Error ", the number, CR LF and the system's description.
    void showError(int error, const QString& detail = QString());

    MessageSink& m_messages;
    bool m_channelTaken = false;
};

} // namespace vantrel
