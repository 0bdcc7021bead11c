#include "files/FileSystem.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel::FileSystem {

namespace {

int fd(Handle file)
{
    return static_cast<int>(file);
}

// Runs a call again when a signal interrupted it; returns its result.
template <class Call> auto retried(Call call)
{
    decltype(call()) result;
    do {
        result = call();
    } while (result == -1 && errno == EINTR);
    return result;
}

int openFile(const Path& path, int flags, Handle& file)
{
    const int opened = retried([&] { return ::open(path.c_str(), flags | O_CLOEXEC, 0666); });
    if (opened == -1)
        return errno;
    file = opened;
    return 0;
}

} // namespace

int sizeOf(const Path& path, std::int64_t& size)
{
    struct stat info;
    if (::stat(path.c_str(), &info) == -1)
        return errno;
    size = info.st_size;
    return 0;
}

int sizeOf(Handle file, std::int64_t& size)
{
    struct stat info;
    if (::fstat(fd(file), &info) == -1)
        return errno;
    size = info.st_size;
    return 0;
}

int openForReading(const Path& path, Handle& file)
{
    // Non-blocking, so that a named pipe with no writer reads as empty instead of hanging;
    // regular files ignore the flag.
    if (const int error = openFile(path, O_RDONLY | O_NONBLOCK, file))
        return error;
    struct stat info;
    const int error = ::fstat(fd(file), &info) == -1 ? errno : S_ISDIR(info.st_mode) ? EISDIR : 0;
    if (error != 0) {
        close(file);
        file = NoHandle;
    }
    return error;
}

int openForAppending(const Path& path, Handle& file, bool& created)
{
    // Creating exclusively tells a file this save creates from one that was there, so a
    // failed save knows whether to remove the file or to cut it back.
    for (;;) {
        int error = openFile(path, O_WRONLY | O_APPEND | O_CREAT | O_EXCL, file);
        if (error != EEXIST) {
            created = error == 0;
            return error;
        }
        error = openFile(path, O_WRONLY | O_APPEND, file);
        if (error != ENOENT) {
            created = false;
            return error;
        }
        // Removed between the two opens: try again.
    }
}

int read(Handle file, char* data, std::int64_t size, std::int64_t& done)
{
    done = 0;
    while (done < size) {
        const ssize_t count = retried([&] { return ::read(fd(file), data + done, size - done); });
        if (count == -1)
            return errno;
        if (count == 0)
            break;
        done += count;
    }
    return 0;
}

int write(Handle file, const char* data, std::int64_t size)
{
    std::int64_t done = 0;
    while (done < size) {
        // A short write (a full disk, a file size limit) is followed by another, which
        // then reports the reason.
        const ssize_t count = retried([&] { return ::write(fd(file), data + done, size - done); });
        if (count == -1)
            return errno;
        done += count;
    }
    return 0;
}

int truncate(Handle file, std::int64_t size)
{
    return retried([&] { return ::ftruncate(fd(file), size); }) == -1 ? errno : 0;
}

int flushToDisk(Handle file)
{
#ifdef __APPLE__
    // On macOS fsync only hands the data to the drive, which may keep it in its own cache
    // and lose it with the power; F_FULLFSYNC has the drive write it out. Some file systems
    // (network shares, FAT) refuse it, and fsync is the best there is then.
    if (::fcntl(fd(file), F_FULLFSYNC) != -1)
        return 0;
#endif
    return retried([&] { return ::fsync(fd(file)); }) == -1 ? errno : 0;
}

int close(Handle file)
{
    // Not retried: the descriptor is released even when close reports an error.
    return ::close(fd(file)) == -1 ? errno : 0;
}

int remove(const Path& path)
{
    return ::unlink(path.c_str()) == -1 ? errno : 0;
}

SystemText describe(int error)
{
    return std::strerror(error);
}

int alreadyOpenError()
{
    return EBUSY;
}

int tooLargeError()
{
    return EFBIG;
}

int unencodableError()
{
    return EILSEQ;
}

} // namespace vantrel::FileSystem
