#pragma once

#include <QString>
#include <cstdint>

// The operating system's file calls that the script file store needs, and nothing else.
// Every call returns 0 on success and the system's error number on failure; describe()
// gives that number's standard text. PosixFileSystem.cpp implements this for Unix-like
// systems; a Windows port replaces that one file (CreateFileW with OPEN_ALWAYS and
// FILE_APPEND_DATA, GetFileSizeEx, ReadFile, WriteFile, SetFilePointerEx plus
// SetEndOfFile, FlushFileBuffers, CloseHandle, DeleteFileW; GetLastError's codes, with
// FormatMessageW for their texts).
namespace vantrel::FileSystem {

// An open file: a descriptor here; a Windows HANDLE fits as well.
using Handle = std::intptr_t;
inline constexpr Handle NoHandle = -1;

// The length of the file at a path, without opening it.
[[nodiscard]] int sizeOf(const QString& path, std::int64_t& size);
[[nodiscard]] int sizeOf(Handle file, std::int64_t& size);

[[nodiscard]] int openForReading(const QString& path, Handle& file);
// Opens for writing at the end, creating the file when it is absent; created tells which.
[[nodiscard]] int openForAppending(const QString& path, Handle& file, bool& created);

// Reads until size bytes are in or the file ends; done is the count read.
[[nodiscard]] int read(Handle file, char* data, std::int64_t size, std::int64_t& done);
// Writes all size bytes or fails; on failure some of them may be in the file.
[[nodiscard]] int write(Handle file, const char* data, std::int64_t size);
[[nodiscard]] int truncate(Handle file, std::int64_t size);
// Returns once the file's data has reached the storage device.
[[nodiscard]] int flushToDisk(Handle file);
int close(Handle file);
[[nodiscard]] int remove(const QString& path);

QString describe(int error);

// The numbers of three failures that the store detects itself.
int alreadyOpenError(); // an open while the store's channel is taken
int tooLargeError();    // a file too large to load
int unencodableError(); // a character the file's character set has no byte for

} // namespace vantrel::FileSystem
