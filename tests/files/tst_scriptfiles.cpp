#include "NamedChild.h"
#include "editor/ScriptEditor.h"
#include "files/FileTestSupport.h"
#include "files/ScriptFileStore.h"
#include "files/TextPieces.h"
#include "mainwindow/CommonDialog.h"
#include "mainwindow/Form1.h"
#include "mainwindow/MessageBoxSink.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
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

// A file's permission bits and inode: a replaced file keeps the first, not the second.
std::pair<mode_t, ino_t> modeAndInode(const QString& path)
{
    struct stat info
    {
    };
    if (stat(QFile::encodeName(path).constData(), &info) != 0)
        return {0, 0};
    return {info.st_mode & 07777, info.st_ino};
}

mode_t modeOf(const QString& path)
{
    return modeAndInode(path).first;
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

const std::nullopt_t Cancel = std::nullopt;

// Stands in for the file dialog: each show takes the next answer, a path or Cancel, and
// notes which dialog it was, "o" for open, "s" for save, "a" for save as.
struct ScriptedDialog : FileDialog
{
    bool ShowOpen() override { return answer("o"); }
    bool ShowSave() override { return answer("s"); }
    bool ShowSaveAs() override { return answer("a"); }
    QString FileName() const override { return name; }
    void setFileName(const QString& path) override { name = path; }
    bool answer(const char* kind)
    {
        shown += QLatin1String(kind);
        if (answers.empty())
            qFatal("the dialog was shown once more than the test expected");
        const std::optional<QString> next = answers.front();
        answers.pop_front();
        name = next.value_or(name);
        return next.has_value();
    }
    std::deque<std::optional<QString>> answers;
    QString shown;
    QString name;
};

// Runs a command, and answers the modal file dialog that it opens: types the name and
// presses Return (an empty name takes the one the dialog offers), or cancels. A watchdog
// closes any modal left open, so that a fault fails the test instead of hanging it.
void answerRealDialog(const std::function<void()>& command, const std::optional<QString>& answer)
{
    bool answered = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || std::exchange(answered, true))
            return;
        if (!answer)
            return dialog->reject();
        auto* edit = child<QLineEdit>(*dialog, "fileNameEdit");
        if (!answer->isEmpty())
            edit->setText(*answer);
        QTest::keyClick(edit, Qt::Key_Return);
    });
    bool watchdogFired = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        watchdogFired = true;
        while (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    poll.start(10);
    watchdog.start(10000);
    command();
    QVERIFY(answered);
    QVERIFY2(!watchdogFired, "a modal window was left open");
}

// Runs a command, and answers each modal window it opens in turn: a file dialog by typing
// the name and pressing Return (an empty name cancels it), a message box by pressing the
// button with the given text.
// Notes each message box's text. A watchdog closes any modal left open.
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
            boxes << box->text();
            for (QAbstractButton* button : box->buttons())
                if (button->text().remove(u'&') == answer)
                    return button->click();
            return box->reject();
        }
        if (answer.isEmpty())
            return QTimer::singleShot(0, modal,
                                      [modal] { static_cast<QDialog*>(modal)->reject(); });
        auto* edit = modal->findChild<QLineEdit*>("fileNameEdit");
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
    return boxes;
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
    void run(bool load, const std::optional<QString>& answer, bool fromMenu)
    {
        m_dialog.answers.push_back(answer);
        if (fromMenu)
            m_window->findChild<QAction*>(load ? "LS" : "SC")->trigger();
        else
            QTest::mouseClick(m_window->findChild<QPushButton*>(load ? "cmdload" : "cmdsave"),
                              Qt::LeftButton);
    }
    void load(const std::optional<QString>& answer, bool fromMenu = false)
    {
        run(true, answer, fromMenu);
    }
    void save(const std::optional<QString>& answer, bool fromMenu = false)
    {
        run(false, answer, fromMenu);
    }
    static void fromButtonOrMenu_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("button") << false;
        QTest::newRow("menu") << true;
    }

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
        m_dialog.shown.clear();
        m_window = std::make_unique<Form1>(nullptr, FileSeams{&m_dialog, &m_sink});
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup()
    {
        m_window.reset();
        QDir::setCurrent(QDir::tempPath());
        m_dir.reset();
    }

    // The store itself.
    void failedLoadIsToldFromAnEmptyFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<Message>("message");
        QTest::newRow("missing file") << "missing" << false << NotFound;
        QTest::newRow("missing folder") << "no folder/x" << false << NotFound;
        QTest::newRow("empty path") << "" << false << NotFound;
        QTest::newRow("directory") << "." << true << error("Error 21\r\nIs a directory");
        QTest::newRow("2 GiB") << "big" << true << error("Error 27\r\nFile too large");
    }

    void failedLoadIsToldFromAnEmptyFile()
    {
        QFETCH(QString, name);
        QFETCH(bool, exists);
        QFETCH(Message, message);
        bigFile();
        const QString file = name.isEmpty() ? name : path(name);
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
        QVERIFY(m_sink.messages.isEmpty());
    }

    void failedSaveTouchesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Message>("message");
        const QString text = QStringLiteral("text");
        const QString noFile = QStringLiteral("Error 2\r\nNo such file or directory");
        QTest::newRow("missing folder") << "no folder/x.hsc" << text << error(noFile);
        QTest::newRow("empty path") << "" << text << error(noFile);
        QTest::newRow("directory") << "dir.hsc" << text << error("Error 21\r\nIs a directory");
        QTest::newRow("through a file")
            << "old.hsc/x.hsc" << text << error("Error 20\r\nNot a directory");
        QTest::newRow("full disk")
            << "/dev/full" << text << error("Error 28\r\nNo space left on device");
        // Every write succeeds there, the flush to disk fails: the save must say so.
        QTest::newRow("no flush") << "/dev/null" << text << error("Error 22\r\nInvalid argument");
        // A character with no byte is named, with where the check places it: a lone LF and a
        // lone CR each end a line.
        QTest::newRow("second line") << "old.hsc" << QStringLiteral("one\r\nab\t\u0100")
                                     << unsavable("\"\u0100\" (U+0100) at line 2, column 4");
        QTest::newRow("outside 16 bits")
            << "new.hsc" << QStringLiteral("a\nb\rc\U0001F600")
            << unsavable("\"\U0001F600\" (U+1F600) at line 3, column 2");
        QTest::newRow("invisible")
            << "old.hsc" << QStringLiteral("\u200B") << unsavable("(U+200B) at line 1, column 1");
        QTest::newRow("after SUB") << "new.hsc" << QStringLiteral("\x1A\u2603")
                                   << unsavable("\"\u2603\" (U+2603) at line 1, column 2");
        QTest::newRow("lone surrogate at end") << "old.hsc" << (QStringLiteral("x") + QChar(0xD800))
                                               << unsavable("(U+D800) at line 1, column 2");
    }

    void failedSaveTouchesNothing()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(Message, message);
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("dir.hsc")));
        QVERIFY(writeBytes(path("old.hsc"), "old\r\n"));
        const QStringList before = QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden);
        const QString file = name.startsWith(u'/') || name.isEmpty() ? name : path(name);
        QVERIFY(!m_store.SaveTextFile(text, file));
        QCOMPARE(m_sink.take(), QList{message});
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden), before);
        QCOMPARE(readBytes(path("old.hsc")), "old\r\n");
        // The channel was released: the next save works.
        QVERIFY(m_store.SaveTextFile(QStringLiteral("new"), path("old.hsc")));
        QCOMPARE(readBytes(path("old.hsc")), "old\r\nnew\r\n");
    }

    void writeFailingPartWayLeavesTheFileAsItWas()
    {
        QVERIFY(writeBytes(path("old.hsc"), "old\r\n"));
        const QString text(1000, u'x');
        {
            const FileSizeLimit limit(64);
            QVERIFY(limit.set());
            QVERIFY(!m_store.SaveTextFile(text, path("old.hsc")));
            QVERIFY(!m_store.SaveTextFile(text, path("new.hsc")));
        }
        QCOMPARE(m_sink.take(), QList<Message>(2, error("Error 27\r\nFile too large")));
        QCOMPARE(readBytes(path("old.hsc")), "old\r\n");
        QVERIFY(!QFile::exists(path("new.hsc")));
        QVERIFY(m_store.SaveTextFile(text, path("old.hsc"))); // one failure causes no other
        QCOMPARE(readBytes(path("old.hsc")), "old\r\n" + text.toLatin1() + "\r\n");
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

    void overlappingOpenFailsAsAlreadyOpen()
    {
        QVERIFY(writeBytes(path("a"), "a"));
        {
            ScriptFileStore::Channel held(m_store);
            QCOMPARE(held.openForReading(path("a")), 0);
            QCOMPARE(m_store.LoadTextFile(path("a")), std::nullopt);
            QVERIFY(!m_store.SaveTextFile(QStringLiteral("b"), path("b")));
            QCOMPARE(m_sink.take(),
                     QList<Message>(2, error("Error 16\r\nDevice or resource busy")));
            QVERIFY(!QFile::exists(path("b")));
        }
        QCOMPARE(m_store.LoadTextFile(path("a")), std::optional(QStringLiteral("a")));
    }

    // An append starts on a line of its own, with the file's own kind of line end.
    void appendStartsOnALineOfItsOwn_data()
    {
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<QByteArray>("lineEnd"); // what goes in before the text
        const QByteArray none;
        QTest::newRow("comment, CR LF") << QByteArray("(a)\r\n; last") << QByteArray("\r\n");
        QTest::newRow("comment, LF") << QByteArray("(a)\n(b)\n; last") << QByteArray("\n");
        QTest::newRow("lone CR") << QByteArray("(a)\r; last") << QByteArray("\r");
        QTest::newRow("mixed, LF last") << QByteArray("a\r\nb\nc") << QByteArray("\n");
        QTest::newRow("mixed, CR LF last") << QByteArray("a\nb\nc\r\nd") << QByteArray("\r\n");
        QTest::newRow("no line end") << QByteArray(";* block *;") << QByteArray("\r\n");
        QTest::newRow("a NUL last") << QByteArray("a\n\0", 3) << QByteArray("\n");
        QTest::newRow("ends with CR LF") << QByteArray("a\r\n") << none;
        QTest::newRow("ends with LF") << QByteArray("a\n") << none;
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

    // Save Changes and Save Script As replace a file through the store: a new file beside it,
    // renamed over it.
    void replaceWritesExactlyTheTextAndKeepsPermissions_data()
    {
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("text");
        QTest::newRow("private, LF") << QByteArray("old\n") << 0600 << QStringLiteral("a\nb\n;c");
        QTest::newRow("group, mixed")
            << QByteArray("old") << 0640 << QStringLiteral("a\r\nb\nc\rd\u20AC\u00E9");
        QTest::newRow("executable, empty") << QByteArray("old\r\n") << 0755 << QString();
        QTest::newRow("new file") << QByteArray() << 0 << QStringLiteral("(new)");
    }

    void replaceWritesExactlyTheTextAndKeepsPermissions()
    {
        QFETCH(QByteArray, old);
        QFETCH(int, mode);
        QFETCH(QString, text);
        const QString file = path("s.hsc");
        if (mode != 0) {
            QVERIFY(writeBytes(file, old));
            QCOMPARE(chmod(QFile::encodeName(file).constData(), mode_t(mode)), 0);
        }
        const ino_t oldInode = modeAndInode(file).second;
        QVERIFY(m_store.ReplaceTextFile(TextInOnePiece(text.toStdU16String()), file));
        QCOMPARE(readBytes(file),
                 QByteArray::fromStdString(encodeWindows1252(text.toStdU16String()).bytes));
        const auto [newMode, newInode] = modeAndInode(file);
        if (mode != 0) {
            QCOMPARE(int(newMode), mode);
            QVERIFY2(newInode != oldInode, "written beside, then renamed over");
        } else {
            const mode_t mask = umask(0);
            umask(mask);
            QCOMPARE(newMode, 0666 & ~mask); // as any new file
        }
        QCOMPARE(
            QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"s.hsc"});
        QVERIFY(m_sink.messages.isEmpty());
    }

    void replaceFollowsALink()
    {
        QVERIFY(writeBytes(path("target.hsc"), "old"));
        QVERIFY(QFile::link(path("target.hsc"), path("link.hsc")));
        QVERIFY(m_store.ReplaceTextFile(TextInOnePiece(u"new"), path("link.hsc")));
        QCOMPARE(QFileInfo(path("link.hsc")).symLinkTarget(), path("target.hsc"));
        QCOMPARE(readBytes(path("target.hsc")), "new");
    }

    void failedReplaceLeavesTheOriginal_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("limit"); // a file size limit in bytes, or none
        QTest::addColumn<Message>("message");
        const QString text = QStringLiteral("new");
        QTest::newRow("folder where the file should be")
            << "dir.hsc" << text << 0 << error("Error 21\r\nIs a directory");
        QTest::newRow("missing folder")
            << "no folder/x.hsc" << text << 0 << error("Error 2\r\nNo such file or directory");
        QTest::newRow("through a file")
            << "old.hsc/x.hsc" << text << 0 << error("Error 20\r\nNot a directory");
        // Half the text fits: the new file fails half way, the old one is not touched.
        QTest::newRow("file size limit half way")
            << "old.hsc" << QStringLiteral("%1\r\n").arg(QString(62, u'x')).repeated(49152)
            << (3 << 19) << error("Error 27\r\nFile too large");
        QTest::newRow("character with no byte")
            << "old.hsc" << QStringLiteral("one\r\n\u0100") << 0
            << unsavable("\"\u0100\" (U+0100) at line 2, column 1");
    }

    void failedReplaceLeavesTheOriginal()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(int, limit);
        QFETCH(Message, message);
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("dir.hsc")));
        QVERIFY(writeBytes(path("old.hsc"), "old\r\n"));
        QCOMPARE(chmod(QFile::encodeName(path("old.hsc")).constData(), 0640), 0);
        const QStringList before = QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden);
        {
            std::optional<FileSizeLimit> limited;
            if (limit != 0)
                QVERIFY(limited.emplace(rlim_t(limit)).set());
            QVERIFY(!m_store.ReplaceTextFile(TextInOnePiece(text.toStdU16String()), path(name)));
        }
        QCOMPARE(m_sink.take(), QList{message});
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden), before);
        QCOMPARE(readBytes(path("old.hsc")), "old\r\n");
        QCOMPARE(modeOf(path("old.hsc")), mode_t(0640));
        QVERIFY(QFileInfo(path("dir.hsc")).isDir());
    }

    // Root may write anywhere, so the save runs as nobody there: in a child process, which
    // reports what it saw by its exit status.
    void replaceInAReadOnlyFolderOrFileFails()
    {
        QCOMPARE(chmod(QFile::encodeName(m_dir->path()).constData(), 0755), 0);
        const QString folder = path("read-only");
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("read-only")));
        QVERIFY(writeBytes(folder + "/a.hsc", "old"));
        QVERIFY(writeBytes(path("b.hsc"), "old"));
        QCOMPARE(chmod(QFile::encodeName(folder).constData(), 0555), 0);
        QCOMPARE(chmod(QFile::encodeName(path("b.hsc")).constData(), 0444), 0);
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
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"a.hsc"});
        QCOMPARE(
            QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList({"b.hsc", "read-only"}));
        QCOMPARE(chmod(QFile::encodeName(folder).constData(), 0755), 0);
    }

    // Load and Save in the main window.
    void saveAppendsToTheNameWithHscAndLoadReadsIt_data() { fromButtonOrMenu_data(); }
    void saveAppendsToTheNameWithHscAndLoadReadsIt()
    {
        QFETCH(bool, fromMenu);
        m_window->setScriptText(QStringLiteral("A"));
        save(path("loop"), fromMenu);
        m_window->setScriptText(QStringLiteral("B"));
        save(path("loop"), fromMenu);
        save(path("loop.hsc"), fromMenu);
        save(path("loop.txt"), fromMenu);
        QCOMPARE(readBytes(path("loop.hsc")), "A\r\nB\r\n");
        QCOMPARE(readBytes(path("loop.hsc.hsc")), "B\r\n");
        QCOMPARE(readBytes(path("loop.txt.hsc")), "B\r\n");
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), 3);
        load(path("loop.hsc"), fromMenu);
        QCOMPARE(m_window->scriptText(), QStringLiteral("A\r\nB\r\n"));
        QVERIFY(writeBytes(path("empty"), {})); // an empty file loads as the empty text
        load(path("empty"), fromMenu);
        QCOMPARE(m_window->scriptText(), QString());
        QCOMPARE(m_dialog.shown, QStringLiteral("ssssoo"));
        QVERIFY(m_sink.messages.isEmpty());
    }

    void cancelOrFailureChangesNothing_data() { fromButtonOrMenu_data(); }
    void cancelOrFailureChangesNothing()
    {
        QFETCH(bool, fromMenu);
        // Before any name was chosen...
        m_window->setScriptText(QStringLiteral("first"));
        save(Cancel, fromMenu);
        load(Cancel, fromMenu);
        QVERIFY(
            QDir(m_dir->path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
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
        QCOMPARE(m_sink.messages.size(), 2);
        QCOMPARE(readBytes(path("a.hsc")), "first\r\n");
        QCOMPARE(m_window->scriptText(), unsavable);
    }

    void loadThenSaveKeepsEveryByte()
    {
        for (quint32 seed : {1u, 2u, 3u}) {
            // Every byte value in a random order, CR and LF among them, and a final CR LF.
            const QByteArray bytes = shuffledBytes(seed) + "\r\n";
            const QString name = path(QStringLiteral("all%1").arg(seed));
            QVERIFY(writeBytes(name, bytes));
            load(name);
            QCOMPARE(m_window->scriptText(), decoded(bytes));
            save(name, true);
            QCOMPARE(readBytes(name + ".hsc"), bytes + "\r\n");
            // The saved file loads as the text plus the CR LF of the save.
            load(name + ".hsc", true);
            QCOMPARE(m_window->scriptText(), decoded(bytes + "\r\n"));
        }
        QVERIFY(m_sink.messages.isEmpty());
    }

    // Save Changes writes the text back over the file it came from, as it is.
    void saveChangesWritesTheTextBackExactly_data()
    {
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<int>("mode");
        QTest::newRow("LF, last line a comment") << QByteArray("(a)\n(b)\n; last") << 0640;
        QTest::newRow("CR LF, accents") << QByteArray("(\xE9t\xE9)\r\n\x93q\x94\r\n") << 0600;
        QTest::newRow("every byte") << shuffledBytes(7) << 0604;
        QTest::newRow("empty") << QByteArray() << 0644;
    }

    void saveChangesWritesTheTextBackExactly()
    {
        QFETCH(QByteArray, old);
        QFETCH(int, mode);
        const QString file = path("a50.hsc");
        QVERIFY(writeBytes(file, old));
        QCOMPARE(chmod(QFile::encodeName(file).constData(), mode_t(mode)), 0);
        activate();
        load(file);
        QCOMPARE(m_window->fileState(), QStringLiteral("File: %1").arg(file));
        QTest::keyClicks(editor(), QStringLiteral("X"));
        QCOMPARE(m_window->fileState(), QStringLiteral("File: %1 (changed)").arg(file));
        saveChanges();
        QCOMPARE(readBytes(file), "X" + old);
        QCOMPARE(m_window->fileState(), QStringLiteral("File: %1").arg(file));
        QTest::keyClicks(editor(), QStringLiteral("Y"));
        m_window->findChild<QAction*>("CH")->trigger();
        QCOMPARE(readBytes(file), "XY" + old);
        QCOMPARE(modeOf(file), mode_t(mode));
        QCOMPARE(
            QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"a50.hsc"});
        QCOMPARE(m_dialog.shown, QStringLiteral("o"));
        QVERIFY(m_sink.messages.isEmpty());
        QVERIFY(m_sink.questions.isEmpty());
    }

    // With no file yet, Save Changes asks for a name as Save Script As does.
    void saveAsNamesTheTextsFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("saved");
        QTest::newRow("no extension") << "loop"
                                      << "loop.hsc";
        QTest::newRow("hsc") << "loop.hsc"
                             << "loop.hsc";
        QTest::newRow("another extension") << "loop.txt"
                                           << "loop.txt";
        QTest::newRow("dot only") << "loop."
                                  << "loop.";
        QTest::newRow("folder with a dot") << "d.d/loop"
                                           << "d.d/loop.hsc";
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
        QVERIFY(m_sink.messages.isEmpty());
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
        QCOMPARE(m_sink.questions.size(), 1);
        QVERIFY(m_sink.messages.isEmpty());
    }

    // Closing asks about hand edits only. Steps: load a.hsc, type, paste, cut, drop, compile,
    // undo, redo, saveChanges, saveScript. Answers: S(ave), D(iscard), C(ancel).
    void closeAsksAboutHandEditsOnly_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("name"); // asked for by a Save; "-" cancels the dialog
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QByteArray>("file"); // a.hsc afterwards, which held "old"
        const QString none;
        const QByteArray old = "old";
        QTest::newRow("Compile alone") << "compile"
                                       << "" << none << true << old;
        QTest::newRow("Load alone") << "load"
                                    << "" << none << true << old;
        QTest::newRow("typed, then Compile") << "type compile"
                                             << "" << none << true << old;
        QTest::newRow("typed, then Load") << "type load"
                                          << "" << none << true << old;
        QTest::newRow("typed, then undone") << "load type undo"
                                            << "" << none << true << old;
        QTest::newRow("typed, then saved") << "load type saveChanges"
                                           << "" << none << true << QByteArray("Xold");
        QTest::newRow("typed, then Save Script") << "type saveScript"
                                                 << "" << none << true << old;
        QTest::newRow("Compile, then Undo") << "type compile undo"
                                            << "D" << none << true << old;
        QTest::newRow("pasted") << "paste"
                                << "C" << none << false << old;
        QTest::newRow("cut") << "load cut"
                             << "C" << none << false << old;
        QTest::newRow("Save") << "load type"
                              << "S" << none << true << QByteArray("Xold");
        QTest::newRow("Save with no file") << "type"
                                           << "S" << QStringLiteral("new") << true << old;
        QTest::newRow("Save, no name given") << "type"
                                             << "S" << QStringLiteral("-") << false << old;
        QTest::newRow("Discard") << "load type"
                                 << "D" << none << true << old;
        QTest::newRow("Cancel") << "load type"
                                << "C" << none << false << old;
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
            } else if (step == u"cut") {
                QTest::keyClick(editor(), Qt::Key_A, Qt::ControlModifier);
                QTest::keyClick(editor(), Qt::Key_X, Qt::ControlModifier);
            } else if (step == u"compile") {
                QTest::mouseClick(m_window->findChild<QPushButton*>("cmdcmpl"), Qt::LeftButton);
            } else if (step == u"undo") {
                editor()->setFocus();
                QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
            } else if (step == u"redo") {
                QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            } else if (step == u"drop") {
                QMimeData dropped;
                dropped.setText(QStringLiteral("dropped"));
                QVERIFY(dragAndDrop(editor()->viewport(), dropped));
            } else if (step == u"saveChanges") {
                saveChanges();
            } else if (step == u"saveScript") {
                save(path("appended"));
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
        QCOMPARE(m_sink.questions.size(), answers.size());
        if (!answers.isEmpty())
            QCOMPARE(m_sink.questionsOffered.first(),
                     QList({MessageSink::Answer::Save, MessageSink::Answer::Discard,
                            MessageSink::Answer::Cancel}));
        QVERIFY(m_sink.answers.isEmpty() && m_dialog.answers.empty());
        QCOMPARE(m_window->scriptText(), text); // nothing lost on the way
        QCOMPARE(readBytes(path("a.hsc")), file);
        if (name == u"new")
            QCOMPARE(readBytes(path("new.hsc")), "X");
        QVERIFY(m_sink.messages.isEmpty());
    }

    void fileStateIsShownInTheEditor()
    {
        QVERIFY(writeBytes(path("a.hsc"), "old"));
        // The line of the description that names the file; problems and format have theirs.
        const auto description = [this] {
            const QStringList lines = QAccessible::queryAccessibleInterface(editor())
                                          ->text(QAccessible::Description)
                                          .split(u'\n');
            const auto file = std::ranges::find_if(
                lines, [](const QString& line) { return line.startsWith(u"File: "); });
            return file == lines.end() ? QString() : *file;
        };
        const auto menuItem = [this] { return editor()->findChild<QAction*>("fileState"); };
        QCOMPARE(description(), QStringLiteral("File: none"));
        activate();
        load(path("a.hsc"));
        QTest::keyClicks(editor(), QStringLiteral("X"));
        const QString changed = QStringLiteral("File: %1 (changed)").arg(path("a.hsc"));
        QCOMPARE(description(), changed);
        QCOMPARE(editor()->toolTip(), changed);
        QVERIFY(editor()->actions().contains(menuItem()));
        QCOMPARE(menuItem()->text(), changed);
        QVERIFY(!menuItem()->isEnabled()); // it says, and does nothing
        QTest::mouseClick(m_window->findChild<QPushButton*>("cmdcmpl"), Qt::LeftButton);
        QCOMPARE(description(), QStringLiteral("File: none"));
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
        QTest::newRow("LF") << QByteArray("(a)\n\t(b)\n") << QByteArray("\n") << "(a)"
                            << "Windows-1252, LF line ends";
        QTest::newRow("CR") << QByteArray("(a)\r(b)\r") << QByteArray("\r") << "(a)"
                            << "Windows-1252, CR line ends";
        QTest::newRow("1252 letters, LF") << QByteArray("; caf\xE9 \x93q\x94\n(x)\n")
                                          << QByteArray("\n") << "; caf\u00e9 \u201cq\u201d"
                                          << "Windows-1252, LF line ends";
        QTest::newRow("UTF-8, LF") << QByteArray("; \xE2\x80\x9C"
                                                 "done\xE2\x80\x9D\n(x)\n")
                                   << QByteArray("\n") << "; \u201cdone\u201d"
                                   << "UTF-8, LF line ends";
        QTest::newRow("UTF-8 mark, CR LF")
            << QByteArray("\xEF\xBB\xBF(\xC3\xA9)\r\n") << QByteArray("\r\n") << "(\u00e9)"
            << "UTF-8 with byte order mark, CR LF line ends";
        QTest::newRow("two marks")
            << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF(a)") << QByteArray("\r\n")
            << QStringLiteral("\ufeff(a)") << "UTF-8 with byte order mark, CR LF line ends";
        // Decompiled: CR LF with two stray LFs in the header, and curly quotes.
        QTest::newRow("mixed, UTF-8")
            << QByteArray("; a\n; b\n(x \xE2\x80\x9Cy\xE2\x80\x9D)\r\n(z)\r\n\r\n")
            << QByteArray("\r\n") << "; a"
            << "UTF-8, CR LF line ends";
        QTest::newRow("mixed, mostly LF")
            << QByteArray("(a)\r\n(b)\n(c)\n\r") << QByteArray("\n") << "(a)"
            << "Windows-1252, LF line ends";
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
        QVERIFY(editor->accessibleDescription().endsWith("Text: " + format));
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
        QVERIFY(m_sink.messages.isEmpty());
        // Load's Undo gives back the empty editor's format; Redo the file's.
        while (editor->document()->isUndoAvailable())
            editor->undo();
        QCOMPARE(editor->textFormatDescription(), QStringLiteral("Windows-1252, CR LF line ends"));
        editor->redo();
        QCOMPARE(editor->textFormatDescription(), format);
        QCOMPARE(m_window->scriptText(),
                 ScriptFileStore::decode(bytes, editor->textFormat().encoding));
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
        auto* Text1 = child<QPlainTextEdit>(*m_window, "Text1");
        auto* txtflag = child<QLineEdit>(*m_window, "txtflag");
        for (QWidget* target : {static_cast<QWidget*>(m_window.get()), Txt1->viewport(),
                                Text1->viewport(), static_cast<QWidget*>(txtflag)}) {
            m_window->setScriptText(QStringLiteral("typed"));
            QVERIFY(dragAndDrop(target, files));
            QTRY_COMPARE(m_window->scriptText(), QStringLiteral("b"));
            QCOMPARE(m_dialog.FileName(), path("b.hsc"));
        }
        QCOMPARE(txtflag->text(), QStringLiteral("Exit")); // the file passed through it
        // Dropped text goes into the editor as typed text does; the window takes none.
        QMimeData text;
        text.setText(QStringLiteral("1\n2\r3\r\n"));
        m_window->setScriptText(QString());
        QVERIFY(!dragAndDrop(m_window.get(), text));
        QVERIFY(dragAndDrop(Txt1->viewport(), text));
        QCOMPARE(m_window->scriptText(), QStringLiteral("1\r\n2\r\n3\r\n"));
        QMimeData name;
        name.setText(QStringLiteral("Gate"));
        QVERIFY(dragAndDrop(txtflag, name));
        QVERIFY(txtflag->text().contains(QStringLiteral("Gate")));
        QVERIFY(m_sink.messages.isEmpty());
        QCOMPARE(m_dialog.shown, QString());
    }

    // The real file dialog, driven as a user would.
    void fileNameKeepsTheLastChosenPath()
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
    }

    // Save Script As's real dialog adds ".hsc" to a bare name and asks before replacing.
    void saveAsDialogAddsHscAndAsksBeforeReplacing()
    {
        QWidget window;
        CommonDialog cdlg(&window);
        bool confirmed = false;
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
        // Save Script's dialog still takes a name as typed, and asks nothing.
        QVERIFY(writeBytes(path("plain"), "kept"));
        QCOMPARE(answerModals([&] { confirmed = cdlg.ShowSave(); }, {path("plain")}),
                 QStringList());
        QCOMPARE(cdlg.FileName(), path("plain"));
    }

    // The real question box: a button for each answer offered; Escape is Cancel.
    void questionBoxOffersTheAnswers_data()
    {
        QTest::addColumn<QString>("press");
        QTest::addColumn<MessageSink::Answer>("answer");
        QTest::newRow("save") << "Save" << MessageSink::Answer::Save;
        QTest::newRow("discard") << "Discard" << MessageSink::Answer::Discard;
        QTest::newRow("cancel") << "Cancel" << MessageSink::Answer::Cancel;
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
        QStringList buttons;
        const QStringList boxes = answerModals(
            [&] {
                QTimer::singleShot(5, [&] {
                    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                        for (QAbstractButton* button : box->buttons())
                            buttons << button->text().remove(u'&');
                });
                given = sink.ask(QStringLiteral("Vantrel"), QStringLiteral("Save <b>a</b>?"),
                                 {Save, Discard, Cancel});
            },
            {press});
        QCOMPARE(boxes, QStringList{"Save <b>a</b>?"});
        QCOMPARE(given, answer);
        buttons.sort();
        QCOMPARE(buttons, QStringList({"Cancel", "Discard", "Save"}));
    }

    void savesLoadsAndCancelsThroughTheOneDialog()
    {
        Form1 window(nullptr, FileSeams{nullptr, &m_sink});
        window.show();
        auto* cmdsave = window.findChild<QPushButton*>("cmdsave");
        const auto clickSave = [&] { QTest::mouseClick(cmdsave, Qt::LeftButton); };
        const auto triggerLoad = [&] { window.findChild<QAction*>("LS")->trigger(); };

        // A file opened without the dialog is the one it offers next, made or not yet.
        const auto openedIsOffered = [&] {
            window.openScript(path("given"));
            window.setScriptText(QString());
            answerRealDialog(triggerLoad, QString());
            QCOMPARE(window.scriptText(), QStringLiteral("G"));
        };
        QVERIFY(writeBytes(path("given"), "G"));
        openedIsOffered();

        // "loop" exists: the save neither asks about replacing it nor touches it.
        QVERIFY(writeBytes(path("loop"), "keep"));
        window.setScriptText(QStringLiteral("T"));
        answerRealDialog(clickSave, path("loop"));
        QCOMPARE(readBytes(path("loop.hsc")), "T\r\n");
        QCOMPARE(readBytes(path("loop")), "keep");
        // The one dialog of the window, made when it was first needed.
        const QList<QFileDialog*> dialogs = window.findChildren<QFileDialog*>();
        QCOMPARE(dialogs.size(), 1);
        QCOMPARE(dialogs.first()->objectName(), QStringLiteral("cdlg"));
        answerRealDialog(triggerLoad, path("loop.hsc"));
        QCOMPARE(window.scriptText(), QStringLiteral("T\r\n"));

        // Cancelled dialogs: nothing saved to the last name, nothing loaded.
        window.setScriptText(QStringLiteral("edited"));
        answerRealDialog(clickSave, Cancel);
        answerRealDialog(triggerLoad, Cancel);
        QCOMPARE(window.scriptText(), QStringLiteral("edited"));
        QCOMPARE(readBytes(path("loop.hsc")), "T\r\n");
        QCOMPARE(window.findChildren<QFileDialog*>(), dialogs);
        QVERIFY(m_sink.messages.isEmpty());
        openedIsOffered();
    }
};

QTEST_MAIN(ScriptFilesTest)
#include "tst_scriptfiles.moc"
