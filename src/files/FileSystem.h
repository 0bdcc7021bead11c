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

// The length of the file at a path, without opening it.
[[nodiscard]] int sizeOf(const Path& path, std::int64_t& size);
[[nodiscard]] int sizeOf(Handle file, std::int64_t& size);

[[nodiscard]] int openForReading(const Path& path, Handle& file);
// Opens for writing at the end, creating the file when it is absent; created tells which.
[[nodiscard]] int openForAppending(const Path& path, Handle& file, bool& created);

// Reads until size bytes are in or the file ends; done is the count read.
[[nodiscard]] int read(Handle file, char* data, std::int64_t size, std::int64_t& done);
// Writes all size bytes at the end of the file or fails; on failure some of them may be in
// the file.
[[nodiscard]] int write(Handle file, const char* data, std::int64_t size);
[[nodiscard]] int truncate(Handle file, std::int64_t size);
// Returns once the file's data has reached the storage device.
[[nodiscard]] int flushToDisk(Handle file);
int close(Handle file);
[[nodiscard]] int remove(const Path& path);

// The system's description of an error number, without a line end.
SystemText describe(int error);

// The numbers of three failures that the store detects itself.
int alreadyOpenError(); // an open while the store's channel is taken
int tooLargeError();    // a file too large to load
int unencodableError(); // a character the file's character set has no byte for

} // namespace vantrel::FileSystem
