#include "NamedChild.h"
#include "editor/ScriptEditor.h"
#include "files/FileTestSupport.h"
#include "files/ScriptFileStore.h"
#include "files/TextPieces.h"
#include "mainwindow/CommonDialog.h"
#include "mainwindow/Form1.h"
#include "mainwindow/MessageBoxSink.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <csignal>
#include <deque>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vantrel;
using namespace vantrel::test;
using Message = RecordingSink::Message;

namespace {

const std::int64_t TwoGiB = std::int64_t(1) << 31; // the smallest file Load refuses

Message error(const QString& text)
{
    return {QStringLiteral("Error"), text};
}

// The message for a character with no byte, named with its place.
Message unsavable(const char* named)
{
    return error(QStringLiteral("Error 84\r\nInvalid or incomplete multibyte or wide "
                                "character\r\nThe character %1 has no byte in "
                                "Windows-1252. Nothing was saved.")
                     .arg(QString::fromUtf8(named)));
}

// While it lives, writes past the limit fail as on a full disk: EFBIG, with SIGXFSZ ignored.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        const rlimit limit{bytes, m_old.rlim_max};
        m_set = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }
    bool set() const { return m_set; }

private:
    rlimit m_old{};
    bool m_set = false;
};

mode_t modeOf(const QString& path)
{
    struct stat info = {};
    return stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// "uid:gid"
QString ownerOf(const QString& path)
{
    struct stat info = {};
    if (stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return QStringLiteral("%1:%2").arg(info.st_uid).arg(info.st_gid);
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

bool setMode(const QString& path, int mode)
{
    return chmod(QFile::encodeName(path).constData(), mode_t(mode)) == 0;
}

const Message NotFound{QStringLiteral("Sorry"),
                       QStringLiteral("File not found. Check if the file is Currently exists.")};

// The bytes this process has read from files so far, as the kernel counts them.
qint64 bytesReadSoFar()
{
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        qFatal("cannot read /proc/self/io");
    return io.readLine().split(' ').value(1).trimmed().toLongLong(); // "rchar: N"
}

// Runs a command, and answers each modal window it opens in turn: a file dialog by typing
// the name and pressing Return (an empty name cancels it), a message box by pressing the
// button with the given text. Notes each message box's text and buttons, and any answer left
// unused. A watchdog closes any modal left open, so that a fault
// fails the test instead of hanging it.
QStringList answerModals(const std::function<void()>& command, QStringList answers)
{
    QStringList boxes;
    QPointer<QWidget> answered;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == answered || answers.isEmpty())
            return;
        answered = modal;
        const QString answer = answers.takeFirst();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            QStringList buttons;
            for (QAbstractButton* button : box->buttons())
                buttons << button->text().remove(u'&');
            buttons.sort();
            boxes << box->text() + " [" + buttons.join(u' ') + "]";
            for (QAbstractButton* button : box->buttons())
                if (button->text().remove(u'&') == answer)
                    return button->click();
            return box->reject();
        }
        if (answer.isEmpty())
            return QTimer::singleShot(0, modal,
                                      [modal] { static_cast<QDialog*>(modal)->reject(); });
        auto* edit = child<QLineEdit>(*modal, "fileNameEdit");
        edit->setText(answer);
        // Queued: a box that Return opens runs its own loop, in which this timer must fire.
        QTimer::singleShot(0, edit, [edit] { QTest::keyClick(edit, Qt::Key_Return); });
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        boxes << QStringLiteral("<watchdog>");
        while (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    poll.start(10);
    watchdog.start(10000);
    command();
    if (!answers.isEmpty())
        boxes << QStringLiteral("<unanswered>");
    return boxes;
}

// Runs a command that opens the one file dialog, and answers it: a name, or cancel.
void answerRealDialog(const std::function<void()>& command, const std::optional<QString>& answer)
{
    QCOMPARE(answerModals(command, {answer.value_or(QString())}), QStringList());
}

// Drags the data over the widget and drops it there, as a file manager or another
// program does; true when the widget took the drop.
bool dragAndDrop(QWidget* target, const QMimeData& data)
{
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    if (enter.isAccepted())
        QApplication::sendEvent(target, &drop);
    return enter.isAccepted() && drop.isAccepted();
}

} // namespace

class ScriptFilesTest : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> m_dir;
    RecordingSink m_sink;
    ScriptFileStore m_store{m_sink};
    ScriptedDialog m_dialog;
    std::unique_ptr<Form1> m_window;

    QString path(const QString& name) const { return m_dir->filePath(name); }
    // Runs Load or Save the way a user does: its button, or its item in the File menu.
    using Choice = std::optional<QString>; // a path, or Cancel
    void run(bool load, const Choice& answer, bool fromMenu)
    {
        m_dialog.answers.push_back(answer);
        if (fromMenu)
            m_window->findChild<QAction*>(load ? "LS" : "SC")->trigger();
        else
            QTest::mouseClick(m_window->findChild<QPushButton*>(load ? "cmdload" : "cmdsave"),
                              Qt::LeftButton);
    }
    void load(const Choice& answer, bool fromMenu = false) { run(true, answer, fromMenu); }
    void save(const Choice& answer, bool fromMenu = false) { run(false, answer, fromMenu); }

    QPlainTextEdit* editor() const { return child<QPlainTextEdit>(*m_window, "Txt1"); }
    // Shortcuts reach only the active window.
    void activate()
    {
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        editor()->setFocus();
    }
    void saveChanges() { QTest::keyClick(editor(), Qt::Key_S, Qt::ControlModifier); }
    void saveAs() { QTest::keyClick(editor(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier); }

    // A sparse file of 2 GiB: made in milliseconds, it takes no disk space.
    QString bigFile() const
    {
        QFile file(path(QStringLiteral("big")));
        if (!file.exists() && !(file.open(QIODevice::WriteOnly) && file.resize(TwoGiB)))
            qFatal("cannot make a sparse file");
        return file.fileName();
    }

private slots:
    // The dialogs these tests answer are Qt's own, whatever the desktop offers.
    void initTestCase() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }

    void init()
    {
        m_dir.emplace();
        QVERIFY(m_dir->isValid());
        // A save with no name would land in the current folder: make that one visible.
        QVERIFY(QDir::setCurrent(m_dir->path()));
        m_sink = RecordingSink();
        m_dialog = ScriptedDialog();
        m_window = std::make_unique<Form1>(nullptr, FileSeams{&m_dialog, &m_sink});
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup()
    {
        m_window.reset();
        QDir::setCurrent(QDir::tempPath());
        m_dir.reset();
        QVERIFY2(m_sink.take().isEmpty(), "every message is one that the test looked at");
        QVERIFY2(m_sink.answers.isEmpty() && m_dialog.answers.empty(), "every answer was used");
    }

    // The store itself.
    void failedLoadIsToldFromAnEmptyFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<Message>("message");
        QTest::newRow("missing file") << "missing" << false << NotFound;
        QTest::newRow("directory") << "." << true << error("Error 21\r\nIs a directory");
        QTest::newRow("2 GiB") << "big" << true << error("Error 27\r\nFile too large");
    }

    void failedLoadIsToldFromAnEmptyFile()
    {
        QFETCH(QString, name);
        QFETCH(bool, exists);
        QFETCH(Message, message);
        bigFile();
        const QString file = path(name);
        QCOMPARE(m_store.FileExists(file), exists);
        QVERIFY(m_sink.messages.isEmpty());
        const qint64 readBefore = bytesReadSoFar();
        QCOMPARE(m_store.LoadTextFile(file), std::nullopt);
        QVERIFY2(bytesReadSoFar() - readBefore < 4096, "a refused file is not read");
        QCOMPARE(m_sink.take(), QList{message});
        // The channel was released: the next load works.
        QVERIFY(writeBytes(path("after"), "ok"));
        QCOMPARE(m_store.LoadTextFile(path("after")), std::optional(QStringLiteral("ok")));
    }

    void saveAppendsEvenAnEmptyTextAndToAHugeFile()
    {
        QVERIFY(m_store.SaveTextFile(QString(), path("s")));
        QVERIFY(m_store.SaveTextFile(QStringLiteral("x"), path("s")));
        QCOMPARE(readBytes(path("s")), "\r\nx\r\n");
        // The sparse file is all NULs: no line end anywhere, so CR LF goes first.
        QVERIFY(m_store.SaveTextFile(QStringLiteral("z"), bigFile()));
        QFile big(bigFile());
        QVERIFY(big.open(QIODevice::ReadOnly) && big.seek(TwoGiB - 1));
        QCOMPARE(big.readAll(), QByteArray("\0\r\nz\r\n", 6));
    }

    // A failed append or replace touches nothing, and releases the file: the next save works.
    void failedSaveTouchesNothing_data()
    {
        QTest::addColumn<bool>("replace"); // else an append
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Message>("message");
        QTest::addColumn<int>("limit"); // a file size limit in bytes, or none
        const auto row = [](const char* tag, bool replace, const char* name, const QString& text,
                            const Message& message, int limit = 0) {
            QTest::newRow(tag) << replace << QString(name) << text << message << limit;
        };
        const QString text = QStringLiteral("text");
        const QString replaced = QStringLiteral("new");
        const Message noFile = error("Error 2\r\nNo such file or directory");
        const Message directory = error("Error 21\r\nIs a directory");
        row("missing folder", false, "no folder/x.hsc", text, noFile);
        row("directory", false, "dir.hsc", text, directory);
        row("full disk", false, "/dev/full", text, error("Error 28\r\nNo space left on device"));
        // Every write succeeds there, the flush to disk fails: the save must say so.
        row("no flush", false, "/dev/null", text, error("Error 22\r\nInvalid argument"));
        // A character with no byte is named, with where the check places it: a lone LF and a
        // lone CR each end a line.
        row("outside 16 bits", false, "new.hsc", QStringLiteral("a\nb\rc\U0001F600"),
            unsavable("\"\U0001F600\" (U+1F600) at line 3, column 2"));
        row("lone surrogate at end", false, "old.hsc", QStringLiteral("x") + QChar(0xD800),
            unsavable("(U+D800) at line 1, column 2"));
        row("replace: folder where the file should be", true, "dir.hsc", replaced, directory);
        // Half the text fits: the new file fails half way, the old one is not touched.
        row("replace: file size limit half way", true, "old.hsc",
            QStringLiteral("%1\r\n").arg(QString(62, u'x')).repeated(49152),
            error("Error 27\r\nFile too large"), 3 << 19);
        row("replace: character with no byte", true, "old.hsc", QStringLiteral("one\r\n\u0100"),
            unsavable("\"\u0100\" (U+0100) at line 2, column 1"));
    }

    void failedSaveTouchesNothing()
    {
        QFETCH(bool, replace);
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(Message, message);
        QFETCH(int, limit);
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("dir.hsc")));
        QVERIFY(writeBytes(path("old.hsc"), "old\r\n"));
        QVERIFY(setMode(path("old.hsc"), 0640));
        const QStringList before = entries(m_dir->path());
        const QString file = name.startsWith(u'/') ? name : path(name);
        {
            std::optional<FileSizeLimit> limited;
            if (limit != 0)
                QVERIFY(limited.emplace(rlim_t(limit)).set());
            QVERIFY(!(replace ? m_store.ReplaceTextFile(TextInOnePiece(text.toStdU16String()), file)
                              : m_store.SaveTextFile(text, file)));
        }
        QCOMPARE(m_sink.take(), QList{message});
        QCOMPARE(entries(m_dir->path()), before);
        QCOMPARE(readBytes(path("old.hsc")), "old\r\n");
        QCOMPARE(modeOf(path("old.hsc")), mode_t(0640));
        QVERIFY(QFileInfo(path("dir.hsc")).isDir());
        QVERIFY(m_store.SaveTextFile(QStringLiteral("new"), path("old.hsc")));
        QCOMPARE(readBytes(path("old.hsc")), "old\r\nnew\r\n");
    }

    // A save goes out through a buffer of about 1 MB, written each time it fills: a failure
    // after the first is written, or a character with no byte found after it, still leaves
    // the file as it was.
    void streamedSaveFailingLateLeavesTheFileAsItWas()
    {
        QVERIFY(writeBytes(path("old.hsc"), "old\r\n"));
        const QString text =
            QStringLiteral("%1\r\n").arg(QString(62, u'x')).repeated(49152); // 3 MB
        {
            const FileSizeLimit limit(3 << 19);
            QVERIFY(limit.set());
            QVERIFY(!m_store.SaveTextFile(text, path("old.hsc")));
            m_window->setScriptText(text);
            save(path("new")); // the editor's text, in pieces
        }
        QCOMPARE(m_sink.take(), QList<Message>(2, error("Error 27\r\nFile too large")));
        QVERIFY(!QFile::exists(path("new.hsc")));
        m_window->setScriptText(text + QStringLiteral("\r\nab\r\u0100"));
        save(path("old"));
        // A pair split between two pieces of the editor's text is still named whole.
        m_window->setScriptText(QString(8191, u'x') + QStringLiteral("\U0001F600"));
        save(path("old"));
        QCOMPARE(m_sink.take(),
                 QList({unsavable("\"\u0100\" (U+0100) at line 49155, column 1"),
                        unsavable("\"\U0001F600\" (U+1F600) at line 1, column 8192")}));
        QCOMPARE(readBytes(path("old.hsc")), "old\r\n");
    }

    // An append starts on a line of its own, with the file's own kind of line end.
    void appendStartsOnALineOfItsOwn_data()
    {
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<QByteArray>("lineEnd"); // what goes in before the text
        const QByteArray none;
        QTest::newRow("comment, CR LF") << QByteArray("(a)\r\n; last") << QByteArray("\r\n");
        QTest::newRow("lone CR") << QByteArray("(a)\r; last") << QByteArray("\r");
        QTest::newRow("mixed, LF last") << QByteArray("a\r\nb\nc") << QByteArray("\n");
        QTest::newRow("no line end") << QByteArray(";* block *;") << QByteArray("\r\n");
        QTest::newRow("ends with CR LF") << QByteArray("a\r\n") << none;
        QTest::newRow("ends with CR") << QByteArray("a\r") << none;
        QTest::newRow("empty") << QByteArray() << none;
        // Far back: the last 1 MiB holds no line end, so the file counts as having none.
        QTest::newRow("last line over 1 MiB")
            << QByteArray("a\n") + QByteArray((1 << 20) + 1, 'y') << QByteArray("\r\n");
        QTest::newRow("last line end 1 MiB back")
            << QByteArray("a\n") + QByteArray((1 << 20) - 3, 'y') << QByteArray("\n");
    }

    void appendStartsOnALineOfItsOwn()
    {
        QFETCH(QByteArray, old);
        QFETCH(QByteArray, lineEnd);
        QVERIFY(writeBytes(path("old.hsc"), old));
        // A failure writes nothing, the line end included.
        {
            const FileSizeLimit limit(old.size() + 1);
            QVERIFY(limit.set());
            QVERIFY(!m_store.SaveTextFile(QString(64, u'z'), path("old.hsc")));
        }
        QVERIFY(!m_store.SaveTextFile(QStringLiteral("\u0100"), path("old.hsc")));
        QCOMPARE(m_sink.take().size(), 2);
        QCOMPARE(readBytes(path("old.hsc")), old);
        QVERIFY(m_store.SaveTextFile(QStringLiteral("(x)"), path("old.hsc")));
        QCOMPARE(readBytes(path("old.hsc")), old + lineEnd + "(x)\r\n");
    }

    // Written as a temporary file and renamed: a new file still gets the usual permissions.
    void replaceGivesANewFileTheUsualPermissions()
    {
        const QString file = path("s.hsc");
        QVERIFY(m_store.ReplaceTextFile(TextInOnePiece(u"(new)\r\n\u20AC"), file));
        QCOMPARE(readBytes(file), "(new)\r\n\x80");
        const mode_t mask = umask(0);
        umask(mask);
        QCOMPARE(modeOf(file), 0666 & ~mask);
        QCOMPARE(entries(m_dir->path()), QStringList{"s.hsc"});
    }

    void replaceFollowsALink()
    {
        QVERIFY(writeBytes(path("target.hsc"), "old"));
        QVERIFY(QFile::link(path("target.hsc"), path("link.hsc")));
        QVERIFY(m_store.ReplaceTextFile(TextInOnePiece(u"new"), path("link.hsc")));
        QCOMPARE(QFileInfo(path("link.hsc")).symLinkTarget(), path("target.hsc"));
        QCOMPARE(readBytes(path("target.hsc")), "new");
    }

    // Root may write anywhere, so the save runs as nobody there: in a child process, which
    // reports what it saw by its exit status.
    void replaceInAReadOnlyFolderOrFileFails()
    {
        QVERIFY(setMode(m_dir->path(), 0755));
        const QString folder = path("read-only");
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("read-only")));
        QVERIFY(writeBytes(folder + "/a.hsc", "old"));
        QVERIFY(writeBytes(path("b.hsc"), "old"));
        QVERIFY(setMode(folder, 0555));
        QVERIFY(setMode(path("b.hsc"), 0444));
        const bool root = geteuid() == 0;
        if (root) // nobody may write in the test's folder, but not in the read-only one
            QCOMPARE(chown(QFile::encodeName(m_dir->path()).constData(), 65534, 65534), 0);
        const auto attempt = [&] {
            RecordingSink sink;
            ScriptFileStore store(sink);
            int wrong = 0;
            for (const QString& file : {folder + "/a.hsc", path("b.hsc")})
                wrong += store.ReplaceTextFile(TextInOnePiece(u"new"), file);
            wrong += sink.take() != QList<Message>(2, error("Error 13\r\nPermission denied"));
            return wrong;
        };
        int wrong = 0;
        if (root) {
            const pid_t child = fork();
            QVERIFY(child != -1);
            if (child == 0)
                _exit(setgid(65534) == 0 && setuid(65534) == 0 ? attempt() : 100);
            int status = 0;
            QCOMPARE(waitpid(child, &status, 0), child);
            QVERIFY(WIFEXITED(status));
            wrong = WEXITSTATUS(status);
        } else {
            wrong = attempt();
        }
        QCOMPARE(wrong, 0);
        QCOMPARE(readBytes(folder + "/a.hsc"), "old");
        QCOMPARE(readBytes(path("b.hsc")), "old");
        QCOMPARE(entries(folder), QStringList{"a.hsc"});
        QCOMPARE(entries(m_dir->path()), QStringList({"b.hsc", "read-only"}));
        QVERIFY(setMode(folder, 0755));
    }

    // Load and Save in the main window: from the buttons here, from the File menu next.
    void saveAppendsToTheNameWithHscAndLoadReadsIt()
    {
        const bool fromMenu = false;
        m_window->setScriptText(QStringLiteral("A"));
        save(path("loop"), fromMenu);
        m_window->setScriptText(QStringLiteral("B"));
        save(path("loop"), fromMenu);
        save(path("loop.hsc"), fromMenu);
        QCOMPARE(readBytes(path("loop.hsc")), "A\r\nB\r\n");
        QCOMPARE(readBytes(path("loop.hsc.hsc")), "B\r\n");
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), 2);
        load(path("loop.hsc"), fromMenu);
        QCOMPARE(m_window->scriptText(), QStringLiteral("A\r\nB\r\n"));
        QVERIFY(writeBytes(path("empty"), {})); // an empty file loads as the empty text
        load(path("empty"), fromMenu);
        QCOMPARE(m_window->scriptText(), QString());
        QCOMPARE(m_dialog.shown, QStringLiteral("sssoo"));
    }

    void cancelOrFailureChangesNothing()
    {
        const bool fromMenu = true;
        // Before any name was chosen...
        m_window->setScriptText(QStringLiteral("first"));
        save(Cancel, fromMenu);
        load(Cancel, fromMenu);
        QVERIFY(entries(m_dir->path()).isEmpty());
        QCOMPARE(m_window->scriptText(), QStringLiteral("first"));
        // ...and after one: the last name is neither saved to nor loaded again.
        save(path("a"), fromMenu);
        const QString unsavable = QStringLiteral("second \u0100");
        m_window->setScriptText(unsavable);
        save(Cancel, fromMenu);
        load(Cancel, fromMenu);
        QVERIFY(m_sink.messages.isEmpty());
        // A failed load or save keeps the editor's text too.
        load(path("missing"), fromMenu);
        save(path("a"), fromMenu);
        QCOMPARE(m_sink.take().size(), 2);
        QCOMPARE(readBytes(path("a.hsc")), "first\r\n");
        QCOMPARE(m_window->scriptText(), unsavable);
    }

    // Save Changes writes the text back over the file it came from, as it is, with its
    // permissions and, when root saves another user's file, its owner.
    void saveChangesWritesTheTextBackExactly_data()
    {
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("nobodys");
        QTest::newRow("LF, last line a comment") << QByteArray("(a)\n(b)\n; last") << 0640 << true;
        QTest::newRow("every byte") << shuffledBytes(7) << 0604 << false;
        QTest::newRow("empty") << QByteArray() << 0644 << true;
    }

    void saveChangesWritesTheTextBackExactly()
    {
        QFETCH(QByteArray, old);
        QFETCH(int, mode);
        QFETCH(bool, nobodys);
        const QString file = path("a50.hsc");
        QVERIFY(writeBytes(file, old));
        if (nobodys && geteuid() == 0)
            QVERIFY(chown(QFile::encodeName(file).constData(), 65534, 65534) == 0);
        const QString owner = ownerOf(file);
        QVERIFY(setMode(file, mode));
        activate();
        load(file);
        QTest::keyClicks(editor(), QStringLiteral("X"));
        saveChanges();
        QCOMPARE(readBytes(file), "X" + old);
        QTest::keyClicks(editor(), QStringLiteral("Y"));
        m_window->findChild<QAction*>("CH")->trigger();
        QCOMPARE(readBytes(file), "XY" + old);
        QCOMPARE(modeOf(file), mode_t(mode));
        QCOMPARE(ownerOf(file), owner);
        QCOMPARE(entries(m_dir->path()), QStringList{"a50.hsc"});
        QCOMPARE(m_dialog.shown, QStringLiteral("o"));
    }

    // With no file yet, Save Changes asks for a name as Save Script As does.
    void saveAsNamesTheTextsFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("saved");
        QTest::newRow("no extension") << QString("loop") << QString("loop.hsc");
        QTest::newRow("dot only") << QString("loop.") << QString("loop.");
        QTest::newRow("folder with a dot") << QString("d.d/loop") << QString("d.d/loop.hsc");
    }

    void saveAsNamesTheTextsFile()
    {
        QFETCH(QString, name);
        QFETCH(QString, saved);
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("d.d")));
        activate();
        QTest::keyClicks(editor(), QStringLiteral("(abc)"));
        m_dialog.answers = {path(name)};
        saveChanges();
        QCOMPARE(readBytes(path(saved)), "(abc)");
        QCOMPARE(m_window->fileState(), QStringLiteral("File: %1").arg(path(saved)));
        QTest::keyClicks(editor(), QStringLiteral(";"));
        saveChanges(); // to that file now, without a dialog
        QCOMPARE(readBytes(path(saved)), "(abc);");
        // Save Script As always asks, and replaces the file it names: the dialog has asked
        // before replacing it.
        QVERIFY(writeBytes(path("other.hsc"), "other"));
        m_dialog.answers = {Cancel, path("other.hsc")};
        saveAs();
        QCOMPARE(readBytes(path("other.hsc")), "other");
        m_window->findChild<QAction*>("SA")->trigger();
        QCOMPARE(readBytes(path("other.hsc")), "(abc);");
        QCOMPARE(m_window->fileState(), QStringLiteral("File: %1").arg(path("other.hsc")));
        QCOMPARE(m_dialog.shown, QStringLiteral("aaa"));
    }

    void fileChangedOnDiskIsAskedAbout_data()
    {
        QTest::addColumn<MessageSink::Answer>("answer");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("save") << MessageSink::Answer::Save << QByteArray("Xold\r\n");
        QTest::newRow("cancel") << MessageSink::Answer::Cancel << QByteArray("another program");
    }

    void fileChangedOnDiskIsAskedAbout()
    {
        QFETCH(MessageSink::Answer, answer);
        QFETCH(QByteArray, after);
        QVERIFY(writeBytes(path("a.hsc"), "old\r\n"));
        activate();
        load(path("a.hsc"));
        QTest::keyClicks(editor(), QStringLiteral("X"));
        QVERIFY(writeBytes(path("a.hsc"), "another program"));
        m_sink.answers = {answer};
        saveChanges();
        QCOMPARE(readBytes(path("a.hsc")), after);
        QCOMPARE(m_sink.questions,
                 QList<Message>({{QStringLiteral("Vantrel"),
                                  QStringLiteral("%1 has been changed by another program since "
                                                 "it was loaded or saved here.\r\nReplace it "
                                                 "with the editor's text?")
                                      .arg(path("a.hsc"))}}));
        QCOMPARE(m_sink.questionsOffered.first(),
                 QList({MessageSink::Answer::Save, MessageSink::Answer::Cancel}));
        QCOMPARE(m_window->fileState().endsWith(QStringLiteral("(changed)")),
                 answer == MessageSink::Answer::Cancel);
        // A file this program wrote last is replaced without a question.
        if (answer == MessageSink::Answer::Save) {
            QTest::keyClicks(editor(), QStringLiteral("Y"));
            saveChanges();
            QCOMPARE(readBytes(path("a.hsc")), "XYold\r\n");
        }
    }

    // Closing asks about hand edits only. Steps: load a.hsc, type, paste, compile, undo,
    // saveChanges. Answers: S(ave), D(iscard), C(ancel).
    void closeAsksAboutHandEditsOnly_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("name"); // asked for by a Save; "-" cancels the dialog
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QByteArray>("file"); // a.hsc afterwards, which held "old"
        const auto row = [](const char* tag, const char* steps, const char* answers, bool closes,
                            const char* file = "old", const char* name = "") {
            QTest::newRow(tag) << QString(steps) << QString(answers) << QString(name) << closes
                               << QByteArray(file);
        };
        row("Compile alone", "compile", "", true);
        row("Load alone", "load", "", true);
        row("typed, then undone", "load type undo", "", true);
        row("typed, then saved", "load type saveChanges", "", true, "Xold");
        row("Compile, then Undo", "type compile undo", "D", true);
        row("pasted", "paste", "C", false);
        row("Save", "load type", "S", true, "Xold");
        row("Save with no file", "type", "S", true, "old", "new");
        row("Save, no name given", "type", "S", false, "old", "-");
        row("Discard", "load type", "D", true);
        row("Cancel", "load type", "C", false);
    }

    void closeAsksAboutHandEditsOnly()
    {
        QFETCH(QString, steps);
        QFETCH(QString, answers);
        QFETCH(QString, name);
        QFETCH(bool, closes);
        QFETCH(QByteArray, file);
        QVERIFY(writeBytes(path("a.hsc"), "old"));
        activate();
        for (const QString& step : steps.split(u' ')) {
            if (step == u"load") {
                load(path("a.hsc"));
            } else if (step == u"type") {
                QTest::keyClicks(editor(), QStringLiteral("X"));
            } else if (step == u"paste") {
                QApplication::clipboard()->setText(QStringLiteral("pasted"));
                QTest::keyClick(editor(), Qt::Key_V, Qt::ControlModifier);
            } else if (step == u"compile") {
                QTest::mouseClick(m_window->findChild<QPushButton*>("cmdcmpl"), Qt::LeftButton);
            } else if (step == u"undo") {
                editor()->setFocus();
                QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
            } else if (step == u"saveChanges") {
                saveChanges();
            }
        }
        const QString text = m_window->scriptText();
        for (const QChar answer : answers)
            m_sink.answers.append(answer == u'S'   ? MessageSink::Answer::Save
                                  : answer == u'D' ? MessageSink::Answer::Discard
                                                   : MessageSink::Answer::Cancel);
        if (!name.isEmpty())
            m_dialog.answers.push_back(name == u"-" ? Cancel : std::optional(path(name)));
        QCOMPARE(m_window->close(), closes);
        QCOMPARE(m_window->isVisible(), !closes);
        if (!answers.isEmpty())
            QCOMPARE(m_sink.questionsOffered.first(),
                     QList({MessageSink::Answer::Save, MessageSink::Answer::Discard,
                            MessageSink::Answer::Cancel}));
        QCOMPARE(m_window->scriptText(), text); // nothing lost on the way
        QCOMPARE(readBytes(path("a.hsc")), file);
        if (name == u"new")
            QCOMPARE(readBytes(path("new.hsc")), "X");
    }

    void fileStateIsShownInTheEditor()
    {
        QVERIFY(writeBytes(path("a.hsc"), "old"));
        const auto menuItem = [this] { return editor()->findChild<QAction*>("fileState"); };
        activate();
        load(path("a.hsc"));
        QTest::keyClicks(editor(), QStringLiteral("X"));
        const QString changed = QStringLiteral("File: %1 (changed)").arg(path("a.hsc"));
        QCOMPARE(editor()->toolTip(), changed);
        QVERIFY(editor()->actions().contains(menuItem()));
        QCOMPARE(menuItem()->text(), changed);
        QVERIFY(!menuItem()->isEnabled()); // it says, and does nothing
        QTest::mouseClick(m_window->findChild<QPushButton*>("cmdcmpl"), Qt::LeftButton);
        QCOMPARE(m_window->fileState(), QStringLiteral("File: none"));
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Vantrel"));
    }

    // Real files as they are: each line end and encoding goes out as it came in. Enter
    // adds the file's own line end, and a character typed into UTF-8 is saved in UTF-8.
    void loadThenSaveKeepsTheFormat_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("lineEnd");
        QTest::addColumn<QString>("shown"); // the start of the text as the editor holds it
        QTest::addColumn<QString>("format");
        const auto row = [](const char* tag, const QByteArray& bytes, const char* lineEnd,
                            const QString& shown, const char* format) {
            QTest::newRow(tag) << bytes << QByteArray(lineEnd) << shown << QString(format);
        };
        const char* const mark = "UTF-8 with byte order mark, CR LF line ends";
        row("LF", "(a)\n\t(b)\n", "\n", "(a)", "Windows-1252, LF line ends");
        row("CR", "(a)\r(b)\r", "\r", "(a)", "Windows-1252, CR line ends");
        row("UTF-8 mark, CR LF", "\xEF\xBB\xBF(\xC3\xA9)\r\n", "\r\n", "(\u00e9)", mark);
        // Decompiled: CR LF with two stray LFs in the header, and curly quotes.
        row("mixed, UTF-8", "; a\n; b\n(x \xE2\x80\x9Cy\xE2\x80\x9D)\r\n(z)\r\n\r\n", "\r\n", "; a",
            "UTF-8, CR LF line ends");
    }
    void loadThenSaveKeepsTheFormat()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, lineEnd);
        QFETCH(QString, shown);
        QFETCH(QString, format);
        QVERIFY(writeBytes(path("in.hsc"), bytes));
        load(path("in.hsc"));
        auto* editor = child<ScriptEditor>(*m_window, "Txt1");
        QVERIFY(m_window->scriptText().startsWith(shown));
        QCOMPARE(editor->textFormatDescription(), format);
        save(path("out"));
        QCOMPARE(readBytes(path("out.hsc")), bytes + "\r\n");
        // Saved again behind itself: a byte order mark only starts a file.
        save(path("out"));
        const QByteArray noMark = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
        QCOMPARE(readBytes(path("out.hsc")), bytes + "\r\n" + noMark + "\r\n");

        editor->moveCursor(QTextCursor::End);
        QTest::keyClick(editor, Qt::Key_Return);
        editor->insertPlainText(QStringLiteral("\u00e9"));
        save(path("typed"));
        const bool utf8 = format.startsWith("UTF-8");
        QCOMPARE(readBytes(path("typed.hsc")),
                 bytes + lineEnd + (utf8 ? "\xC3\xA9" : "\xE9") + "\r\n");
        // A character past Windows-1252 saves in UTF-8 only.
        editor->insertPlainText(QStringLiteral("\u2192"));
        save(path("arrow"));
        QCOMPARE(QFile::exists(path("arrow.hsc")), utf8);
        if (!utf8)
            QCOMPARE(m_sink.take().size(), 1);
    }

    // In UTF-8 only a lone half of a surrogate pair has no bytes.
    void utf8RefusesOnlyALoneSurrogate()
    {
        QVERIFY(writeBytes(path("in.hsc"), "\xC3\xA9\n"));
        load(path("in.hsc"));
        m_window->setScriptText(QString(), TextEncoding::Utf8);
        auto* editor = child<ScriptEditor>(*m_window, "Txt1");
        QCOMPARE(editor->textFormat().encoding, TextEncoding::Utf8);
        editor->insertPlainText(QStringLiteral("a\nb\U0001F600") + QChar(0xDC00));
        save(path("out"));
        QCOMPARE(m_sink.take(),
                 QList{error("Error 84\r\nInvalid or incomplete multibyte or wide character\r\n"
                             "The character (U+DC00) at line 2, column 3 has no byte in UTF-8. "
                             "Nothing was saved.")});
        QVERIFY(!QFile::exists(path("out.hsc")));
    }

    // A file named on the command line, or dropped, loads as Load does.
    void openedOrDroppedFileLoadsAsLoadDoes()
    {
        QVERIFY(writeBytes(path("a.hsc"), "(a)\r\n\xE9"));
        m_window->openScript(path("a.hsc"));
        QCOMPARE(m_window->scriptText(), QStringLiteral("(a)\r\n\u00E9"));
        QCOMPARE(m_dialog.FileName(), path("a.hsc"));
        m_window->openScript(path("missing"));
        QCOMPARE(m_sink.take(), QList{NotFound});
        QCOMPARE(m_window->scriptText(), QStringLiteral("(a)\r\n\u00E9"));

        // Of several items the first local file loads, even when offered as text too.
        QVERIFY(writeBytes(path("b.hsc"), "b"));
        QMimeData files;
        files.setUrls({QUrl(QStringLiteral("https://example.org/c.hsc")),
                       QUrl::fromLocalFile(path("b.hsc")), QUrl::fromLocalFile(path("a.hsc"))});
        files.setText(path("b.hsc"));
        auto* Txt1 = child<QPlainTextEdit>(*m_window, "Txt1");
        for (QWidget* target : {static_cast<QWidget*>(m_window.get()), Txt1->viewport()}) {
            m_window->setScriptText(QStringLiteral("typed"));
            QVERIFY(dragAndDrop(target, files));
            QTRY_COMPARE(m_window->scriptText(), QStringLiteral("b"));
            QCOMPARE(m_dialog.FileName(), path("b.hsc"));
        }
        // The window itself takes no dropped text.
        QMimeData text;
        text.setText(QStringLiteral("1"));
        QVERIFY(!dragAndDrop(m_window.get(), text));
        QCOMPARE(m_dialog.shown, QString());
    }

    // The real file dialog, driven as a user would: it keeps the last chosen path, and Save
    // Script As's adds ".hsc" to a bare name and asks before replacing.
    void realDialogKeepsThePathAddsHscAndAsksBeforeReplacing()
    {
        QWidget window;
        CommonDialog cdlg(&window);
        QCOMPARE(cdlg.FileName(), QString());
        bool confirmed = false;
        answerRealDialog([&] { confirmed = cdlg.ShowSave(); }, path("chosen"));
        QVERIFY(confirmed);
        QCOMPARE(cdlg.FileName(), path("chosen"));
        answerRealDialog([&] { confirmed = cdlg.ShowOpen(); }, Cancel);
        QVERIFY(!confirmed);
        QCOMPARE(cdlg.FileName(), path("chosen"));
        const auto saveAs = [&] { confirmed = cdlg.ShowSaveAs(); };
        QCOMPARE(answerModals(saveAs, {path("fresh")}), QStringList());
        QVERIFY(confirmed);
        QCOMPARE(cdlg.FileName(), path("fresh.hsc"));
        QVERIFY(writeBytes(path("kept.hsc"), "kept"));
        // No leaves the dialog up for another name; this one is then cancelled.
        const QStringList boxes =
            answerModals(saveAs, {path("kept"), QStringLiteral("No"), QString()});
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes.first().startsWith(QStringLiteral("kept.hsc already exists")),
                 qPrintable(boxes.first()));
        QVERIFY(!confirmed);
        QCOMPARE(answerModals(saveAs, {path("kept"), QStringLiteral("Yes")}).size(), 1);
        QVERIFY(confirmed);
        QCOMPARE(cdlg.FileName(), path("kept.hsc"));
    }

    // The real question box: a button for each answer offered; Escape is Cancel.
    void questionBoxOffersTheAnswers_data()
    {
        QTest::addColumn<QString>("press");
        QTest::addColumn<MessageSink::Answer>("answer");
        QTest::newRow("save") << "Save" << MessageSink::Answer::Save;
        QTest::newRow("discard") << "Discard" << MessageSink::Answer::Discard;
        QTest::newRow("closed") << "" << MessageSink::Answer::Cancel;
    }

    void questionBoxOffersTheAnswers()
    {
        QFETCH(QString, press);
        QFETCH(MessageSink::Answer, answer);
        QWidget window;
        MessageBoxSink sink(&window);
        using enum MessageSink::Answer;
        MessageSink::Answer given = Save;
        const auto ask = [&] {
            given = sink.ask(QStringLiteral("Vantrel"), QStringLiteral("Save <b>a</b>?"),
                             {Save, Discard, Cancel});
        };
        QCOMPARE(answerModals(ask, {press}), QStringList{"Save <b>a</b>? [Cancel Discard Save]"});
        QCOMPARE(given, answer);
    }

    void windowSavesAndLoadsThroughTheRealDialog()
    {
        Form1 window(nullptr, FileSeams{nullptr, &m_sink});
        window.show();
        auto* cmdsave = window.findChild<QPushButton*>("cmdsave");
        const auto clickSave = [&] { QTest::mouseClick(cmdsave, Qt::LeftButton); };
        const auto triggerLoad = [&] { window.findChild<QAction*>("LS")->trigger(); };

        // "loop" exists: the save neither asks about replacing it nor touches it.
        QVERIFY(writeBytes(path("loop"), "keep"));
        window.setScriptText(QStringLiteral("T"));
        answerRealDialog(clickSave, path("loop"));
        QCOMPARE(readBytes(path("loop.hsc")), "T\r\n");
        QCOMPARE(readBytes(path("loop")), "keep");
        answerRealDialog(triggerLoad, path("loop.hsc"));
        QCOMPARE(window.scriptText(), QStringLiteral("T\r\n"));
    }
};

QTEST_MAIN(ScriptFilesTest)
#include "tst_scriptfiles.moc"
