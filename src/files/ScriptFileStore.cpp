#include "files/ScriptFileStore.h"

#include "files/MessageSink.h"
#include "files/ScriptWriter.h"
#include "files/TextPieces.h"
#include "script/Windows1252.h"

#include <QFile>
#include <QStringDecoder>
#include <memory>
#include <string_view>

namespace vantrel {

const QString ScriptFileStore::SorryTitle = QStringLiteral("Sorry");
const QString ScriptFileStore::ErrorTitle = QStringLiteral("Error");
const QString ScriptFileStore::FileNotFound =
    QStringLiteral("File not found. Check if the file is Currently exists.");
const QString ScriptFileStore::NotSaved =
    QStringLiteral("Unexpectd error occured. File could not be saved");

namespace {

// The one place where a path becomes the system's: on Unix the bytes Qt makes of a file
// name (the locale's encoding, so that names work outside UTF-8 locales too), on Windows
// the UTF-16 text itself.
FileSystem::Path systemPath(const QString& path)
{
#ifdef Q_OS_WIN
    return path.toStdWString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

QString fromSystemText(const FileSystem::SystemText& text)
{
#ifdef Q_OS_WIN
    return QString::fromStdWString(text);
#else
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
#endif
}

std::u16string_view utf16(const QString& text)
{
    return {QStringView(text).utf16(), static_cast<std::size_t>(text.size())};
}

// Names a character that cannot be saved, and where the check places it: lines end at
// CR LF, a lone LF and a lone CR. Columns count characters, a surrogate pair as one. Walks
// the text again up to the character: a failure may cost what a success must not.
QString describeUnencodable(const TextPieces& text, std::size_t index)
{
    std::size_t line = 1;
    std::size_t column = 1;
    std::size_t at = 0;
    bool carriageReturn = false; // the last one was a CR: an LF after it ends no line
    char32_t code = 0;
    text.forEachPiece([&](std::u16string_view piece) {
        for (const char16_t c : piece) {
            if (at == index + 1) { // after the high half of a surrogate pair
                if (QChar::isLowSurrogate(c))
                    code = QChar::surrogateToUcs4(char16_t(code), c);
                return false;
            }
            const bool lineFeedAfterCr = std::exchange(carriageReturn, false) && c == u'\n';
            if (at++ == index) {
                code = c;
                if (!QChar::isHighSurrogate(c))
                    return false;
            } else if (c == u'\n' || c == u'\r') {
                line += lineFeedAfterCr ? 0 : 1;
                column = 1;
                carriageReturn = c == u'\r';
            } else if (!QChar::isLowSurrogate(c)) {
                ++column;
            }
        }
        return true;
    });
    const QString shown = QChar::isPrint(code)
                              ? QStringLiteral("\"%1\" ").arg(QString::fromUcs4(&code, 1))
                              : QString();
    const bool utf8 = text.encoding() != TextEncoding::Windows1252;
    return QStringLiteral("The character %1(U+%2) at line %3, column %4 has no byte in "
                          "%5. Nothing was saved.")
        .arg(shown, QString::number(code, 16).toUpper().rightJustified(4, u'0'))
        .arg(qulonglong(line))
        .arg(qulonglong(column))
        .arg(utf8 ? QStringLiteral("UTF-8") : QStringLiteral("Windows-1252"));
}

// The line end that an append writes first, so that what it adds starts on a line of its
// own: none in an empty file or after a line end; else the kind of the file's last line
// end, or CR LF when it has none. Reads back from the end only as far as that line end,
// and at most 1 MiB, a hundred times the longest line of real scripts: a file with no line
// end that near its end gets CR LF too, and a huge one is not read whole.
int lineEndBefore(FileSystem::Handle file, std::int64_t size, std::string_view& lineEnd)
{
    lineEnd = {};
    if (size == 0)
        return 0;
    // Most files end with a line end, every one that Save Script wrote: one byte tells.
    char last = 0;
    std::int64_t done = 0;
    if (const int error = FileSystem::readAt(file, size - 1, &last, 1, done))
        return error;
    if (done == 0 || last == '\n' || last == '\r')
        return 0;
    constexpr std::int64_t LookBack = std::int64_t(1) << 20;
    const std::int64_t start = std::max<std::int64_t>(0, size - LookBack);
    const auto bytes = std::make_unique_for_overwrite<char[]>(std::size_t(size - start));
    if (const int error = FileSystem::readAt(file, start, bytes.get(), size - start, done))
        return error;
    const std::string_view tail(bytes.get(), std::size_t(done));
    const std::size_t at = tail.find_last_of("\r\n");
    if (at == std::string_view::npos)
        lineEnd = "\r\n";
    else if (tail[at] == '\r')
        lineEnd = "\r";
    else
        lineEnd = at > 0 && tail[at - 1] == '\r' ? "\r\n" : "\n";
    return 0;
}

} // namespace

bool ScriptFileStore::FileExists(const QString& path) const
{
    std::int64_t size = 0;
    return FileSystem::sizeOf(systemPath(path), size) == 0;
}

std::optional<FileSystem::FileState> ScriptFileStore::StateOf(const QString& path) const
{
    FileSystem::FileState state;
    if (FileSystem::stateOf(FileSystem::resolved(systemPath(path)), state) != 0)
        return std::nullopt;
    return state;
}

std::optional<QString> ScriptFileStore::LoadTextFile(const QString& path)
{
    TextEncoding encoding;
    return LoadTextFile(path, encoding);
}

QString ScriptFileStore::decode(const QByteArray& bytes, TextEncoding encoding)
{
    if (encoding == TextEncoding::Windows1252) {
        QString text(bytes.size(), Qt::Uninitialized);
        decodeWindows1252({bytes.constData(), static_cast<std::size_t>(bytes.size())},
                          reinterpret_cast<char16_t*>(text.data()));
        return text;
    }
    // The mark is taken off here; one more after it is a character of the text.
    const qsizetype mark =
        encoding == TextEncoding::Utf8WithByteOrderMark ? qsizetype(Utf8ByteOrderMark.size()) : 0;
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return utf8.decode(QByteArrayView(bytes).sliced(mark));
}

std::optional<QString> ScriptFileStore::LoadTextFile(const QString& path, TextEncoding& encoding,
                                                     FileSystem::FileState* state)
{
    if (!FileExists(path)) {
        m_messages.showCritical(SorryTitle, FileNotFound);
        return std::nullopt;
    }
    QByteArray bytes;
    FileSystem::FileState loaded;
    if (const int error = readWhole(path, bytes, loaded)) {
        showError(error);
        return std::nullopt;
    }
    encoding = DetectEncoding({bytes.constData(), static_cast<std::size_t>(bytes.size())});
    if (state)
        *state = loaded;
    return decode(bytes, encoding);
}

bool ScriptFileStore::SaveTextFile(const QString& text, const QString& path)
{
    return SaveTextFile(TextInOnePiece(utf16(text)), path);
}

bool ScriptFileStore::SaveTextFile(const TextPieces& text, const QString& path)
{
    std::optional<std::size_t> unencodable;
    if (const int error = append(text, path, unencodable))
        return saveFailed(error, text, unencodable);
    if (!FileExists(path)) {
        m_messages.showCritical(SorryTitle, NotSaved);
        return false;
    }
    return true;
}

bool ScriptFileStore::ReplaceTextFile(const TextPieces& text, const QString& path,
                                      FileSystem::FileState* state)
{
    std::optional<std::size_t> unencodable;
    FileSystem::FileState written;
    if (const int error = replace(text, path, written, unencodable))
        return saveFailed(error, text, unencodable);
    if (state)
        *state = written;
    return true;
}

bool ScriptFileStore::saveFailed(int error, const TextPieces& text,
                                 std::optional<std::size_t> unencodable)
{
    showError(error, unencodable ? describeUnencodable(text, *unencodable) : QString());
    return false;
}

// The channel is released before any message is shown: each of these returns, and its
// Channel closes the file, before the caller reports.
int ScriptFileStore::readWhole(const QString& path, QByteArray& bytes, FileSystem::FileState& state)
{
    Channel channel(*this);
    if (const int error = channel.openForReading(path))
        return error;
    if (const int error = FileSystem::stateOf(channel.file(), state))
        return error;
    const std::int64_t size = state.size;
    if (size > LargestLoadableSize)
        return FileSystem::tooLargeError();
    bytes.resize(size);
    std::int64_t done = 0;
    if (const int error = FileSystem::read(channel.file(), bytes.data(), size, done))
        return error;
    bytes.truncate(done); // the file shrank since its length was read
    return 0;
}

int ScriptFileStore::append(const TextPieces& text, const QString& path,
                            std::optional<std::size_t>& unencodable)
{
    Channel channel(*this);
    bool created = false;
    if (const int error = channel.openForAppending(path, created))
        return error;
    std::int64_t oldSize = 0;
    std::string_view lineEnd;
    int error = FileSystem::sizeOf(channel.file(), oldSize);
    if (error == 0)
        error = lineEndBefore(channel.file(), oldSize, lineEnd);
    if (error == 0) {
        error = FileSystem::write(channel.file(), lineEnd.data(), std::int64_t(lineEnd.size()));
        if (error == 0)
            error = writeScript(channel.file(), text, unencodable);
        if (error == 0)
            error = FileSystem::flushToDisk(channel.file());
        // A failed save leaves the file as it was: no part of the text stays appended.
        if (error != 0 && !created)
            (void)FileSystem::truncate(channel.file(), oldSize);
    }
    if (error != 0 && created) {
        channel.close();
        (void)FileSystem::remove(systemPath(path));
    }
    // A close after a successful flush cannot lose the text, so its result is not the
    // save's: the Channel closes the file on its way out.
    return error;
}

int ScriptFileStore::replace(const TextPieces& text, const QString& path,
                             FileSystem::FileState& written,
                             std::optional<std::size_t>& unencodable)
{
    // A link stays a link: its target gets the text.
    const FileSystem::Path target = FileSystem::resolved(systemPath(path));
    FileSystem::FileState old;
    const bool replacing = FileSystem::stateOf(target, old) == 0;
    Channel channel(*this);
    FileSystem::Path temporary;
    if (const int error = channel.createBeside(target, temporary))
        return error;
    // Owner and permissions first: nothing is written while the new file is more open than
    // the old. Root saving a user's file leaves it theirs.
    if (replacing)
        FileSystem::keepOwner(channel.file(), old);
    int error = replacing ? FileSystem::setPermissions(channel.file(), old.permissions) : 0;
    if (error == 0)
        error = writeScript(channel.file(), text, unencodable, {});
    if (error == 0)
        error = FileSystem::flushToDisk(channel.file());
    if (error == 0)
        error = FileSystem::stateOf(channel.file(), written);
    if (error == 0)
        error = channel.close();
    if (error == 0)
        error = FileSystem::replace(temporary, target);
    if (error != 0) {
        channel.close();
        (void)FileSystem::remove(temporary);
        return error;
    }
    // The text is in place and on disk. Some file systems (network shares) cannot flush a
    // folder; the save stands all the same.
    (void)FileSystem::flushFolderOf(target);
    return 0;
}

void ScriptFileStore::showError(int error, const QString& detail)
{
    QString text = QStringLiteral("Error %1\r\n%2")
                       .arg(error)
                       .arg(fromSystemText(FileSystem::describe(error)));
    if (!detail.isEmpty())
        text += QStringLiteral("\r\n") + detail;
    m_messages.showCritical(ErrorTitle, text);
}

ScriptFileStore::Channel::~Channel()
{
    close();
}

template <class Open> int ScriptFileStore::Channel::open(Open openFile)
{
    if (m_store.m_channelTaken)
        return FileSystem::alreadyOpenError();
    if (const int error = openFile(m_file))
        return error;
    m_store.m_channelTaken = true;
    return 0;
}

int ScriptFileStore::Channel::openForReading(const QString& path)
{
    return open([&](FileSystem::Handle& file) {
        return FileSystem::openForReading(systemPath(path), file);
    });
}

int ScriptFileStore::Channel::openForAppending(const QString& path, bool& created)
{
    return open([&](FileSystem::Handle& file) {
        return FileSystem::openForAppending(systemPath(path), file, created);
    });
}

int ScriptFileStore::Channel::createBeside(const FileSystem::Path& file, FileSystem::Path& created)
{
    return open([&](FileSystem::Handle& handle) {
        return FileSystem::createBeside(file, created, handle);
    });
}

int ScriptFileStore::Channel::close()
{
    if (m_file == FileSystem::NoHandle)
        return 0;
    const int error = FileSystem::close(m_file);
    m_file = FileSystem::NoHandle;
    m_store.m_channelTaken = false;
    return error;
}

} // namespace vantrel
