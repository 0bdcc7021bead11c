// The system's file calls and the script files' character set, in plain C++: run here, and
// cross-built for Windows and run under Wine by scripts/test-windows.sh. Prints each failed
// check, then "N passed, M failed"; fails when any check does.
#include "files/FileSystem.h"
#include "script/Windows1252.h"

#include <cerrno>
#include <cstdio>
#include <numeric>
#include <optional>
#include <random>
#include <string>
#ifdef _WIN32
#include <windows.h>
#endif

using namespace vantrel;
namespace files = vantrel::FileSystem;

namespace {

#ifdef _WIN32
const int NoFile = ERROR_FILE_NOT_FOUND, NoFolder = ERROR_PATH_NOT_FOUND;
const int DirectoryInTheWay = ERROR_ACCESS_DENIED;
#else
const int NoFile = ENOENT, NoFolder = ENOENT, DirectoryInTheWay = EISDIR;
#endif

int passed = 0;
int failed = 0;

#define CHECK(condition) check((condition), #condition, __LINE__)
void check(bool holds, const char* what, int line)
{
    holds ? ++passed : ++failed;
    if (!holds)
        std::printf("FAILED line %d: %s\n", line, what);
}

// The system's error number, and its text, which has no line break at its end.
#define CHECK_ERROR(call, expected) checkError((call), (expected), #call, __LINE__)
void checkError(int error, int expected, const char* what, int line)
{
    const files::SystemText text = files::describe(error);
    const bool described = !text.empty() && text.back() != '\n' && text.back() != '\r';
    check(error == expected && described, what, line);
    if (error != expected)
        std::printf("  error %d (%s), expected %d\n", error, files::Path(text).string().c_str(),
                    expected);
}

std::string everyByte()
{
    std::string bytes(256, '\0');
    std::iota(bytes.begin(), bytes.end(), '\0');
    return bytes;
}

std::optional<std::size_t> firstUnencodable(std::u16string_view text)
{
    const Windows1252Bytes encoded = encodeWindows1252(text);
    CHECK(!encoded.firstUnencodable || encoded.bytes.empty());
    return encoded.firstUnencodable;
}

void everyByteRoundTripsThroughTheCharacterSet()
{
    const std::u16string text = decodeWindows1252(everyByte());
    bool latin1 = text.size() == 256;
    for (char16_t byte = 0; latin1 && byte < 256; ++byte)
        latin1 = (byte >= 0x80 && byte < 0xA0) || text[byte] == byte;
    CHECK(latin1); // all but 0x80 to 0x9F are the code points of their values
    // 0x80 to 0x9F: the five bytes the set leaves undefined are the controls of their code.
    CHECK(decodeWindows1252(everyByte().substr(0x80, 32)) ==
          u"\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u008D"
          u"\u017D\u008F\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A"
          u"\u0153\u009D\u017E\u0178");
    const Windows1252Bytes back = encodeWindows1252(text);
    CHECK(!back.firstUnencodable && back.bytes == everyByte());
}

void characterWithNoByteIsFound()
{
    CHECK(firstUnencodable(u"a\nb\rc\U0001F600") == 5u); // a pair is named by its first half
    CHECK(firstUnencodable(u"\x1A\u2603") == 1u);        // the byte an encoder marks errors with
    CHECK(firstUnencodable(u"x\xD800") == 1u);           // a lone surrogate
    CHECK(firstUnencodable(u"\u0081\u0080") == 1u);      // a control that 0x80 does not hold
}

// The length of a file, by its path or its handle.
template <class File> std::int64_t sizeOf(const File& file)
{
    std::int64_t size = -1;
    return files::sizeOf(file, size) == 0 ? size : -1;
}

std::string readAll(const files::Path& path)
{
    files::Handle file = files::NoHandle;
    std::string bytes(4096, '\0');
    std::int64_t done = 0;
    if (files::openForReading(path, file) != 0)
        return "<unreadable>";
    CHECK(files::read(file, bytes.data(), std::int64_t(bytes.size()), done) == 0);
    files::close(file);
    return bytes.substr(0, std::size_t(done));
}

void appendCreatesAppendsAndRollsBack(const files::Path& folder)
{
    // A name outside ASCII: UTF-16 on Windows, UTF-8 bytes here.
    const files::Path path = folder / u8"script \u00E9\u03A9.hsc";
    files::Handle file = files::NoHandle;
    bool created = false;
    CHECK(files::openForAppending(path, file, created) == 0 && created);
    CHECK(files::write(file, "old\r\n", 5) == 0 && files::flushToDisk(file) == 0);
    CHECK(files::close(file) == 0 && sizeOf(path) == 5);
    CHECK(std::filesystem::directory_iterator(folder)->path().filename() == path.filename());

    // Opened again, it is not created, and writes land after what is there.
    CHECK(files::openForAppending(path, file, created) == 0 && !created && sizeOf(file) == 5);
#ifdef _WIN32
    // Nobody else writes meanwhile: the rollback would cut their writes away.
    files::Handle other = files::NoHandle;
    CHECK_ERROR(files::openForAppending(path, other, created), ERROR_SHARING_VIOLATION);
#endif
    CHECK(files::write(file, "half", 4) == 0 && sizeOf(file) == 9);
    CHECK(files::truncate(file, 5) == 0 && sizeOf(file) == 5); // the rollback of a failed save
    CHECK(files::write(file, everyByte().data(), 256) == 0 && files::flushToDisk(file) == 0);
    CHECK(files::close(file) == 0 && sizeOf(path) == 261);
    CHECK(readAll(path) == "old\r\n" + everyByte());

    CHECK(files::remove(path) == 0);
    std::int64_t size = 0;
    CHECK_ERROR(files::sizeOf(path, size), NoFile);
    CHECK_ERROR(files::remove(path), NoFile);
}

void failuresGiveTheSystemsNumber(const files::Path& folder)
{
    files::Handle file = files::NoHandle;
    bool created = false;
    std::int64_t size = 0;
    const files::Path inMissingFolder = folder / "no folder" / "x.hsc";
    CHECK_ERROR(files::openForAppending(inMissingFolder, file, created), NoFolder);
    CHECK_ERROR(files::openForReading(inMissingFolder, file), NoFolder);
    CHECK_ERROR(files::sizeOf(inMissingFolder, size), NoFolder);
    // A directory has a length, but opens neither way.
    CHECK(files::sizeOf(folder, size) == 0);
    CHECK_ERROR(files::openForReading(folder, file), DirectoryInTheWay);
    CHECK_ERROR(files::openForAppending(folder, file, created), DirectoryInTheWay);
    CHECK(file == files::NoHandle);
    // The failures that the store detects itself have numbers and texts of their own.
    for (int error :
         {files::alreadyOpenError(), files::tooLargeError(), files::unencodableError()}) {
        CHECK(error != 0);
        CHECK_ERROR(error, error);
    }
}

// A save that replaces a file: the new text goes to a file beside it, which takes the old
// one's permissions and is renamed over it.
void replacingWritesBesideAndRenamesOver(const files::Path& folder)
{
    const files::Path path = folder / u8"replaced \u00E9.hsc";
    files::Handle file = files::NoHandle;
    bool created = false;
    CHECK(files::openForAppending(path, file, created) == 0 && created);
    CHECK(files::write(file, "old\r\n; last", 11) == 0);
    // An append reads how the file ends without moving where writes go.
    std::string read(8, '\0');
    std::int64_t done = 0;
    CHECK(files::readAt(file, 5, read.data(), 6, done) == 0 && read.substr(0, 6) == "; last");
    CHECK(files::readAt(file, 9, read.data(), 8, done) == 0 && done == 2);
    CHECK(files::write(file, "!", 1) == 0 && sizeOf(file) == 12);
#ifndef _WIN32
    CHECK(files::setPermissions(file, 0640) == 0);
#endif
    files::FileState old;
    CHECK(files::stateOf(file, old) == 0 && old.size == 12);
    CHECK(files::close(file) == 0);
    files::FileState byPath;
    CHECK(files::stateOf(path, byPath) == 0 && byPath.sameVersion(old));
    CHECK(byPath.permissions == old.permissions);

    files::Path beside;
    CHECK(files::createBeside(path, beside, file) == 0);
    CHECK(beside.parent_path() == path.parent_path() && beside != path);
    CHECK(files::setPermissions(file, old.permissions) == 0);
    CHECK(files::write(file, "new", 3) == 0 && files::flushToDisk(file) == 0);
    files::FileState written;
    CHECK(files::stateOf(file, written) == 0 && written.size == 3);
    CHECK(files::close(file) == 0);
    CHECK(readAll(path) == "old\r\n; last!"); // untouched until the rename
    CHECK(files::replace(beside, path) == 0);
    CHECK(files::flushFolderOf(path) == 0);
    CHECK(readAll(path) == "new");
    files::FileState now;
    CHECK(files::stateOf(path, now) == 0 && now.sameVersion(written) && !now.sameVersion(old));
    CHECK(now.permissions == old.permissions);
    std::int64_t size = 0;
    CHECK_ERROR(files::sizeOf(beside, size), NoFile);

    // A folder is not replaced, and neither is a file this user may not write.
    CHECK(files::createBeside(path, beside, file) == 0 && files::close(file) == 0);
    const files::Path empty = folder / "folder.hsc";
    CHECK(std::filesystem::create_directory(empty));
    CHECK_ERROR(files::replace(beside, empty), DirectoryInTheWay);
    CHECK(std::filesystem::is_directory(empty) && std::filesystem::remove(empty));
#ifdef _WIN32
    CHECK(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    CHECK_ERROR(files::replace(beside, path), ERROR_ACCESS_DENIED);
    CHECK(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL));
#endif
    CHECK(readAll(path) == "new");
    CHECK(files::remove(beside) == 0 && files::remove(path) == 0);
}

files::Path newFolder()
{
    const std::string base = (std::filesystem::temp_directory_path() / "vantrel-test-").string();
    for (unsigned n = std::random_device()();; ++n)
        if (std::filesystem::create_directory(base + std::to_string(n)))
            return base + std::to_string(n);
}

} // namespace

int main()
{
    everyByteRoundTripsThroughTheCharacterSet();
    characterWithNoByteIsFound();
    const files::Path folder = newFolder();
    appendCreatesAppendsAndRollsBack(folder);
    failuresGiveTheSystemsNumber(folder);
    replacingWritesBesideAndRenamesOver(folder);
    std::error_code ignored; // a failed run may leave a file open
    std::filesystem::remove_all(folder, ignored);
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
