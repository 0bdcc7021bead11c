#include "FileFigures.h"

#include "EditorFixture.h"
#include "Figures.h"
#include "files/ScriptCommands.h"
#include "files/ScriptFileStore.h"
#include "script/Windows1252.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel::bench {
namespace {

// About size bytes of script text: CR LF lines as the generator writes them, with names
// that vary, and every ninth script followed by a line of six bytes that cycle through
// every byte value, line ends and NUL included.
QByteArray scriptFileBytes(qsizetype size)
{
    QByteArray bytes;
    bytes.reserve(size + 512);
    for (int n = 0, value = 0; bytes.size() < size; ++n) {
        const QByteArray name = "Warthog_" + QByteArray::number(n);
        bytes += "(script continuous \"Vehicle_Tele_" + QByteArray::number(n) + "\"\r\n  (if \r\n" +
                 "   (volume_test_object \"Enter\" \"" + name + "\" )\r\n" +
                 "   (object_teleport \"" + name + "\" \"Exit\" )\r\n  )\r\n )\r\n";
        if (n % 9 == 0) {
            for (int i = 0; i < 6; ++i)
                bytes += char(value++ % 256);
            bytes += "\r\n";
        }
    }
    return bytes;
}

struct FileFixture : EditorFixture
{
    explicit FileFixture(qsizetype size)
        : bytes(scriptFileBytes(size)), script(directory.filePath(QStringLiteral("script.hsc"))),
          saved(directory.filePath(QStringLiteral("saved"))),
          floorSaved(directory.filePath(QStringLiteral("floor.hsc")))
    {
        QFile file(script);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            error = "cannot write " + script.toStdString();
    }

    const QString& text()
    {
        if (decoded.isEmpty())
            decoded = QString::fromStdU16String(decodeWindows1252(bytes.toStdString()));
        return decoded;
    }

    // The bytes a save appends: the text in Windows-1252, then CR LF.
    const QByteArray& savedBytes()
    {
        if (bytesToSave.isEmpty())
            bytesToSave =
                QByteArray::fromStdString(encodeWindows1252(text().toStdU16String()).bytes) +
                "\r\n";
        return bytesToSave;
    }

    QTemporaryDir directory;
    QByteArray bytes;
    QString script, saved, floorSaved;
    QString decoded;
    QByteArray bytesToSave;
    ScriptFileStore store{failures};
    std::string error;
};

std::string readWhole(const QString& path, QByteArray& bytes)
{
    const int file = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    struct stat info;
    if (file == -1 || ::fstat(file, &info) == -1)
        return "cannot open " + path.toStdString();
    bytes.resize(info.st_size);
    const ssize_t done = ::read(file, bytes.data(), bytes.size());
    ::close(file);
    return done == bytes.size() ? std::string() : "short read of " + path.toStdString();
}

std::string writeAndSync(const QString& path, const QByteArray& bytes)
{
    const int file = ::open(QFile::encodeName(path).constData(),
                            O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (file == -1)
        return "cannot create " + path.toStdString();
    const bool written = ::write(file, bytes.constData(), bytes.size()) == bytes.size();
    const bool synced = ::fsync(file) == 0;
    ::close(file);
    return written && synced ? std::string() : "cannot write " + path.toStdString();
}

Sample timed(std::function<std::string()> work)
{
    Sample sample;
    sample.seconds = secondsOf([&] { sample.error = work(); });
    return sample;
}

Sample loadSubject(FileFixture& f)
{
    f.clear();
    f.dialog.path = f.script;
    Sample sample = timed([&] {
        f.load->click();
        EditorFixture::paint(f.editor);
        return f.failures.failure;
    });
    f.settle();
    return sample;
}

Sample loadFloor(FileFixture& f)
{
    f.clear();
    Sample sample = timed([&] {
        QByteArray bytes;
        std::string error = readWhole(f.script, bytes);
        f.floor.setPlainText(QString::fromLatin1(bytes));
        EditorFixture::paint(&f.floor);
        return error;
    });
    f.settle();
    return sample;
}

// The editor holds the file's text, checked once.
std::string loadForSaving(FileFixture& f)
{
    if (!f.editor->document()->isEmpty())
        return {};
    f.dialog.path = f.script;
    f.load->click();
    f.settle();
    return f.form.scriptText() == f.text() ? f.failures.failure : "the editor lost bytes";
}

// The saved file holds exactly the bytes that the floor writes.
std::string checkSaved(FileFixture& f, const QString& path)
{
    QByteArray written;
    return readWhole(path, written).empty() && written == f.savedBytes()
               ? std::string()
               : "the saved file differs from the text";
}

Sample saveSubject(FileFixture& f)
{
    if (std::string error = loadForSaving(f); !error.empty())
        return {0, 0, error};
    const QString path = f.saved + ScriptCommands::SaveExtension;
    QFile::remove(path);
    f.dialog.path = f.saved;
    Sample sample;
    const double rise = peakRiseOf([&] {
        sample = timed([&] {
            f.save->click();
            return f.failures.failure;
        });
    });
    sample.peakRiseMegabytes = rise;
    if (rise < 0)
        sample.error = "cannot watch this process's memory";
    else if (sample.error.empty())
        sample.error = checkSaved(f, path);
    return sample;
}

// A save after the user has touched the text: a character typed in the middle and taken
// out again. The bytes are the same, but the document now holds them line by line.
Sample saveAfterEditSubject(FileFixture& f)
{
    if (std::string error = loadForSaving(f); !error.empty())
        return {0, 0, error};
    QTextCursor cursor(f.editor->document());
    cursor.setPosition(f.editor->document()->characterCount() / 2);
    cursor.insertText(QStringLiteral("x"));
    cursor.deletePreviousChar();
    return saveSubject(f);
}

// The store's part of a save alone: encode, append, flush to disk.
Sample storeSubject(FileFixture& f)
{
    const QString& text = f.text();
    QFile::remove(f.saved);
    Sample sample = timed([&] {
        f.store.SaveTextFile(text, f.saved);
        return f.failures.failure;
    });
    if (sample.error.empty())
        sample.error = checkSaved(f, f.saved);
    return sample;
}

Sample saveFloor(FileFixture& f)
{
    QFile::remove(f.floorSaved);
    const QByteArray& bytes = f.savedBytes();
    return timed([&] { return writeAndSync(f.floorSaved, bytes); });
}

void addFileFigures(const std::string& label, qsizetype size, int loadPairs, int savePairs)
{
    auto fixture = std::make_shared<std::optional<FileFixture>>();
    const auto ready = [fixture, size]() -> FileFixture& {
        if (!*fixture)
            fixture->emplace(size);
        return **fixture;
    };
    const auto with = [ready](Sample (*measure)(FileFixture&)) {
        return [ready, measure] {
            FileFixture& f = ready();
            return f.error.empty() ? measure(f) : Sample{0, 0, f.error};
        };
    };
    addFigure({.name = "load " + label,
               .subjectName = "Load",
               .baselineName = "read+setPlainText",
               .goal = {.ratio = 1.3, .extraMegabytes = 0},
               .pairs = loadPairs,
               .subject = with(loadSubject),
               .baseline = with(loadFloor)});
    addFigure({.name = "save " + label,
               .subjectName = "Save",
               .baselineName = "write+fsync",
               .goal = {.ratio = 2, .peakRiseMegabytes = 20},
               .pairs = savePairs,
               .subject = with(saveSubject),
               .baseline = with(saveFloor)});
    addFigure({.name = "save " + label + " after an edit",
               .subjectName = "Save",
               .baselineName = "write+fsync",
               .goal = {},
               .pairs = savePairs,
               .subject = with(saveAfterEditSubject),
               .baseline = with(saveFloor)});
    addFigure({.name = "save " + label + ", store only",
               .subjectName = "SaveTextFile",
               .baselineName = "write+fsync",
               .goal = {},
               .pairs = savePairs,
               .subject = with(storeSubject),
               .baseline = with(saveFloor)});
}

} // namespace

void addFileFigures()
{
    addFileFigures("10 MB", 10 << 20, 3, 9);
    addFileFigures("50 MB", 50 << 20, 3, 9);
}

} // namespace vantrel::bench
