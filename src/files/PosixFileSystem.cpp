#include "files/FileSystem.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <random>
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

FileState stateFrom(const struct stat& info)
{
    FileState state;
    state.size = info.st_size;
#ifdef __APPLE__
    state.modified = info.st_mtimespec.tv_sec * 1'000'000'000LL + info.st_mtimespec.tv_nsec;
#else
    state.modified = info.st_mtim.tv_sec * 1'000'000'000LL + info.st_mtim.tv_nsec;
#endif
    state.identity = std::uint64_t(info.st_ino);
    state.permissions = std::uint32_t(info.st_mode & 07777);
    state.owner = std::uint32_t(info.st_uid);
    state.group = std::uint32_t(info.st_gid);
    return state;
}

} // namespace

int stateOf(const Path& path, FileState& state)
{
    struct stat info;
    if (::stat(path.c_str(), &info) == -1)
        return errno;
    state = stateFrom(info);
    return 0;
}

int stateOf(Handle file, FileState& state)
{
    struct stat info;
    if (::fstat(fd(file), &info) == -1)
        return errno;
    state = stateFrom(info);
    return 0;
}

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
        int error = openFile(path, O_RDWR | O_APPEND | O_CREAT | O_EXCL, file);
        if (error != EEXIST) {
            created = error == 0;
            return error;
        }
        error = openFile(path, O_RDWR | O_APPEND, file);
        if (error != ENOENT) {
            created = false;
            return error;
        }
        // Removed between the two opens: try again.
    }
}

// Reads until size bytes are in, the file ends or a call fails; readSome(done) reads what it
// can at that point.
template <class ReadSome>
int readFully(const ReadSome& readSome, std::int64_t size, std::int64_t& done)
{
    done = 0;
    while (done < size) {
        const ssize_t count = retried([&] { return readSome(done); });
        if (count == -1)
            return errno;
        if (count == 0)
            break;
        done += count;
    }
    return 0;
}

int read(Handle file, char* data, std::int64_t size, std::int64_t& done)
{
    return readFully([&](std::int64_t at) { return ::read(fd(file), data + at, size - at); }, size,
                     done);
}

int readAt(Handle file, std::int64_t offset, char* data, std::int64_t size, std::int64_t& done)
{
    return readFully(
        [&](std::int64_t at) { return ::pread(fd(file), data + at, size - at, offset + at); }, size,
        done);
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

int createBeside(const Path& file, Path& created, Handle& handle)
{
    // Hidden, and named after the file, so that a save cut off by a crash leaves something
    // the user recognises.
    std::random_device random;
    for (int attempt = 0;; ++attempt) {
        Path name = file;
        name.replace_filename("." + file.filename().string() + "." +
                              std::to_string(random() % 1'000'000) + ".tmp");
        const int error = openFile(name, O_WRONLY | O_CREAT | O_EXCL, handle);
        if (error == 0)
            created = std::move(name);
        if (error != EEXIST || attempt == 100)
            return error;
    }
}

int setPermissions(Handle file, std::uint32_t permissions)
{
    return retried([&] { return ::fchmod(fd(file), mode_t(permissions)); }) == -1 ? errno : 0;
}

void keepOwner(Handle file, const FileState& old)
{
    if (::fchown(fd(file), uid_t(old.owner), gid_t(old.group)) == -1)
        (void)::fchown(fd(file), uid_t(-1), gid_t(old.group));
}

int replace(const Path& from, const Path& to)
{
    // The rename needs only the folder's permission; the file's own is asked for as well.
    if (::access(to.c_str(), W_OK) == -1 && errno != ENOENT)
        return errno;
    return ::rename(from.c_str(), to.c_str()) == -1 ? errno : 0;
}

int flushFolderOf(const Path& file)
{
    Path folder = file.parent_path();
    if (folder.empty())
        folder = ".";
    Handle handle = NoHandle;
    if (const int error = openFile(folder, O_RDONLY | O_DIRECTORY, handle))
        return error;
    const int error = flushToDisk(handle);
    close(handle);
    return error;
}

Path resolved(const Path& path)
{
    char target[PATH_MAX];
    return ::realpath(path.c_str(), target) ? Path(target) : path;
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
