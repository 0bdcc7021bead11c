#include "files/FileSystem.h"

#include <algorithm>
#include <iterator>
#include <random>
#include <string>
#include <windows.h>

namespace vantrel::FileSystem {

namespace {

HANDLE handleOf(Handle file)
{
    return reinterpret_cast<HANDLE>(file);
}

// Calls report failure as FALSE and leave the reason for GetLastError.
int resultOf(BOOL succeeded)
{
    return succeeded ? 0 : static_cast<int>(GetLastError());
}

int taken(HANDLE opened, Handle& file)
{
    if (opened == INVALID_HANDLE_VALUE)
        return resultOf(FALSE);
    file = reinterpret_cast<Handle>(opened);
    return 0;
}

// ReadFile and WriteFile move at most a DWORD's count at a time.
DWORD chunk(std::int64_t left)
{
    return static_cast<DWORD>(std::min<std::int64_t>(left, 1 << 30));
}

// The attributes that a replacing file takes over. Read-only is not among them: a read-only
// file is refused, and a read-only new file could not be removed after a failure.
constexpr DWORD KeptAttributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN |
                                 FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

} // namespace

int stateOf(Handle file, FileState& state)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(handleOf(file), &info))
        return resultOf(FALSE);
    state.size = static_cast<std::int64_t>(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
    state.modified = static_cast<std::int64_t>(info.ftLastWriteTime.dwHighDateTime) << 32 |
                     info.ftLastWriteTime.dwLowDateTime;
    state.identity = static_cast<std::uint64_t>(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
    state.permissions = info.dwFileAttributes;
    return 0;
}

int stateOf(const Path& path, FileState& state)
{
    // The file's index is known only to a handle; one without access rights costs nothing.
    // Backup semantics let a folder open as well.
    const HANDLE opened =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return resultOf(FALSE);
    const int error = stateOf(reinterpret_cast<Handle>(opened), state);
    CloseHandle(opened);
    return error;
}

int sizeOf(const Path& path, std::int64_t& size)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return resultOf(FALSE);
    size = static_cast<std::int64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    return 0;
}

int sizeOf(Handle file, std::int64_t& size)
{
    LARGE_INTEGER length;
    if (!GetFileSizeEx(handleOf(file), &length))
        return resultOf(FALSE);
    size = length.QuadPart;
    return 0;
}

int openForReading(const Path& path, Handle& file)
{
    // Others may go on using the file meanwhile, as on Unix. A directory is refused with
    // ERROR_ACCESS_DENIED.
    const DWORD sharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    return taken(CreateFileW(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr),
                 file);
}

int openForAppending(const Path& path, Handle& file, bool& created)
{
    // GENERIC_WRITE holds FILE_APPEND_DATA and also the right to cut the file back, which
    // append-only access lacks and a failed save needs. Others may read the file but not
    // write it meanwhile: the cut goes back to the length at this open, and would take
    // their writes with it. OPEN_ALWAYS opens or creates in one step and tells which.
    const HANDLE opened = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    created = opened != INVALID_HANDLE_VALUE && GetLastError() != ERROR_ALREADY_EXISTS;
    return taken(opened, file);
}

int read(Handle file, char* data, std::int64_t size, std::int64_t& done)
{
    done = 0;
    while (done < size) {
        DWORD count = 0;
        if (!ReadFile(handleOf(file), data + done, chunk(size - done), &count, nullptr))
            return resultOf(FALSE);
        if (count == 0)
            break;
        done += count;
    }
    return 0;
}

int readAt(Handle file, std::int64_t offset, char* data, std::int64_t size, std::int64_t& done)
{
    done = 0;
    while (done < size) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset + done);
        at.OffsetHigh = static_cast<DWORD>((offset + done) >> 32);
        DWORD count = 0;
        if (!ReadFile(handleOf(file), data + done, chunk(size - done), &count, &at)) {
            if (GetLastError() == ERROR_HANDLE_EOF)
                break;
            return resultOf(FALSE);
        }
        if (count == 0)
            break;
        done += count;
    }
    return 0;
}

int write(Handle file, const char* data, std::int64_t size)
{
    for (std::int64_t done = 0; done < size;) {
        // With write access a handle writes where its pointer is; this offset writes at the
        // end of the file instead, as append-only access does.
        OVERLAPPED atEnd{};
        atEnd.Offset = atEnd.OffsetHigh = MAXDWORD;
        DWORD count = 0;
        if (!WriteFile(handleOf(file), data + done, chunk(size - done), &count, &atEnd))
            return resultOf(FALSE);
        if (count == 0)
            return ERROR_WRITE_FAULT; // never loop forever on a device that takes nothing
        done += count;
    }
    return 0;
}

int truncate(Handle file, std::int64_t size)
{
    // SetEndOfFile cuts the file where its pointer is.
    LARGE_INTEGER position;
    position.QuadPart = size;
    return resultOf(SetFilePointerEx(handleOf(file), position, nullptr, FILE_BEGIN) &&
                    SetEndOfFile(handleOf(file)));
}

int flushToDisk(Handle file)
{
    return resultOf(FlushFileBuffers(handleOf(file)));
}

int close(Handle file)
{
    return resultOf(CloseHandle(handleOf(file)));
}

int remove(const Path& path)
{
    return resultOf(DeleteFileW(path.c_str()));
}

int createBeside(const Path& file, Path& created, Handle& handle)
{
    std::random_device random;
    for (int attempt = 0;; ++attempt) {
        Path name = file;
        name.replace_filename(file.filename().wstring() + L"." +
                              std::to_wstring(random() % 1'000'000) + L".tmp");
        const int error = taken(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                            FILE_ATTRIBUTE_NORMAL, nullptr),
                                handle);
        if (error == 0)
            created = std::move(name);
        if (error != ERROR_FILE_EXISTS || attempt == 100)
            return error;
    }
}

// A new file takes the folder's access rules: there is no owner to carry over.
void keepOwner(Handle, const FileState&)
{
}

int setPermissions(Handle file, std::uint32_t permissions)
{
    FILE_BASIC_INFO info{};
    info.FileAttributes = permissions & KeptAttributes;
    if (info.FileAttributes == 0)
        info.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    return resultOf(SetFileInformationByHandle(handleOf(file), FileBasicInfo, &info, sizeof info));
}

int replace(const Path& from, const Path& to)
{
    // A read-only file is the user's word that it stays as it is; the rename alone would
    // not always ask. Write-through returns once the rename is on disk.
    const DWORD attributes = GetFileAttributesW(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return ERROR_ACCESS_DENIED;
    return resultOf(
        MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
}

int flushFolderOf(const Path&)
{
    // The rename was written through already: Windows flushes no folder on its own.
    return 0;
}

Path resolved(const Path& path)
{
    return path;
}

SystemText describe(int error)
{
    wchar_t text[512];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, static_cast<DWORD>(error), 0, text,
                                  static_cast<DWORD>(std::size(text)), nullptr);
    // The system's texts end with a line break.
    while (length > 0 && (text[length - 1] == L'\r' || text[length - 1] == L'\n'))
        --length;
    // Not every number has a text everywhere (Wine has none for ERROR_FILE_TOO_LARGE).
    if (length == 0)
        return L"Unknown error " + std::to_wstring(error);
    return SystemText(text, length);
}

int alreadyOpenError()
{
    return ERROR_SHARING_VIOLATION;
}

int tooLargeError()
{
    return ERROR_FILE_TOO_LARGE;
}

int unencodableError()
{
    return ERROR_NO_UNICODE_TRANSLATION;
}

} // namespace vantrel::FileSystem
