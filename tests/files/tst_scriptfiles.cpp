#include "NamedChild.h"
#include "editor/ScriptEditor.h"
#include "files/FileTestSupport.h"
#include "files/ScriptFileStore.h"
#include "mainwindow/CommonDialog.h"
#include "mainwindow/Form1.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <csignal>
#include <deque>
#include <sys/resource.h>

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
// notes which dialog it was, "o" for open, "s" for save.
struct ScriptedDialog : FileDialog
{
    bool ShowOpen() override { return answer("o"); }
    bool ShowSave() override { return answer("s"); }
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
        m_sink.messages.clear();
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
        QVERIFY(m_store.SaveTextFile(QStringLiteral("z"), bigFile()));
        QCOMPARE(QFileInfo(bigFile()).size(), TwoGiB + 3);
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
