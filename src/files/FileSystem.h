#pragma once

#include <cstdint>
#include <filesystem>

// The operating system's file calls that the script file store needs, and nothing else, in
// plain C++ so that each system's implementation builds and is tested without Qt.
// Every call returns 0 on success and the system's error number on failure; describe()
// gives that number's standard text. PosixFileSystem.cpp implements this for Unix-like
// systems (macOS included), WindowsFileSystem.cpp for Windows.
namespace vantrel::FileSystem {

// An open file: a descriptor on Unix, a HANDLE on Windows.
using Handle = std::intptr_t;
inline constexpr Handle NoHandle = -1;

// Paths are the system's own: the locale's bytes on Unix, UTF-16 on Windows. So is the
// text that describe() gives.
using Path = std::filesystem::path;
using SystemText = Path::string_type;

// What tells one version of a file from another, and the bits that a file replacing it keeps.
struct FileState
{
    std::int64_t size = 0;
    std::int64_t modified = 0;          // the last write, in the system's own units
    std::uint64_t identity = 0;         // which file: the inode, or Windows' file index
    std::uint32_t permissions = 0;      // the mode's permission bits; the attributes on Windows
    std::uint32_t owner = 0, group = 0; // the user and group ids; none on Windows

    bool sameVersion(const FileState& other) const
    {
        return size == other.size && modified == other.modified && identity == other.identity;
    }
};

// The length of the file at a path, without opening it.
[[nodiscard]] int sizeOf(const Path& path, std::int64_t& size);
[[nodiscard]] int sizeOf(Handle file, std::int64_t& size);

[[nodiscard]] int stateOf(const Path& path, FileState& state);
[[nodiscard]] int stateOf(Handle file, FileState& state);

[[nodiscard]] int openForReading(const Path& path, Handle& file);
// Opens for writing at the end, creating the file when it is absent; created tells which.
// The file can be read too (readAt), so an append can see how the file ends.
[[nodiscard]] int openForAppending(const Path& path, Handle& file, bool& created);

// Reads until size bytes are in or the file ends; done is the count read.
[[nodiscard]] int read(Handle file, char* data, std::int64_t size, std::int64_t& done);
// Reads up to size bytes from offset, without moving where writes go; done is the count read.
[[nodiscard]] int readAt(Handle file, std::int64_t offset, char* data, std::int64_t size,
                         std::int64_t& done);
// Writes all size bytes at the end of the file or fails; on failure some of them may be in
// the file.
[[nodiscard]] int write(Handle file, const char* data, std::int64_t size);
[[nodiscard]] int truncate(Handle file, std::int64_t size);
// Returns once the file's data has reached the storage device.
[[nodiscard]] int flushToDisk(Handle file);
int close(Handle file);
[[nodiscard]] int remove(const Path& path);

// What replacing a file atomically takes: a new, empty file beside it, with a name of its
// own and the permissions any new file gets; the old file's permissions set on it before
// anything is written; renamed over the old file in one step; the folder flushed to disk.
[[nodiscard]] int createBeside(const Path& file, Path& created, Handle& handle);
[[nodiscard]] int setPermissions(Handle file, std::uint32_t permissions);
// Gives the new file the old one's owner and group where this user may (root may, anyone may
// keep a group of their own), before its permissions are set; where not, it stays this
// user's, as any file it creates.
void keepOwner(Handle file, const FileState& old);
// Refuses, as a write in place would, a file that this user may not write.
[[nodiscard]] int replace(const Path& from, const Path& to);
[[nodiscard]] int flushFolderOf(const Path& file);
// The file a path names, links followed; the path itself when it names nothing yet.
Path resolved(const Path& path);

// The system's description of an error number, without a line end.
SystemText describe(int error);

// The numbers of three failures that the store detects itself.
int alreadyOpenError(); // an open while the store's channel is taken
int tooLargeError();    // a file too large to load
int unencodableError(); // a character the file's character set has no byte for

} // namespace vantrel::FileSystem
