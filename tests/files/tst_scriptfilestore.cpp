#include "FileTestSupport.h"
#include "ScriptFileStore.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

using namespace vantrel;
using namespace vantrel::test;
using Message = RecordingSink::Message;

namespace {

const std::int64_t TwoGiBPlusOne = (std::int64_t(1) << 31) + 1;

Message error(const QString& text)
{
    return {QStringLiteral("Error"), text};
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

} // namespace

class ScriptFileStoreTest : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> m_dir;
    RecordingSink m_sink;
    ScriptFileStore m_store{m_sink};

    QString path(const QString& name) const { return m_dir->filePath(name); }
    // A sparse file of 2 GiB and one byte: made in milliseconds, it takes no disk space.
    QString bigFile() const
    {
        QFile file(path(QStringLiteral("big")));
        if (!file.exists() && !(file.open(QIODevice::WriteOnly) && file.resize(TwoGiBPlusOne)))
            qFatal("cannot make a sparse file");
        return file.fileName();
    }

private slots:
    void init()
    {
        m_dir.emplace();
        QVERIFY(m_dir->isValid());
        m_sink.messages.clear();
    }

    void emptyFileLoadsAsEmptyTextAndUndefinedBytesAsControls()
    {
        QVERIFY(writeBytes(path("empty"), {}));
        QVERIFY(m_store.FileExists(path("empty")));
        QCOMPARE(m_store.LoadTextFile(path("empty")), std::optional(QString()));
        QVERIFY(writeBytes(path("bytes"), "\x80\x81\x8D\x8F\x90\x9D\x9F\xFF"));
        QCOMPARE(m_store.LoadTextFile(path("bytes")),
                 std::optional(QStringLiteral("\u20AC\u0081\u008D\u008F\u0090\u009D\u0178\u00FF")));
        QVERIFY(m_sink.messages.isEmpty());
    }

    void failedLoadIsToldFromAnEmptyFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<Message>("message");
        QTest::newRow("missing file") << "missing" << false << NotFound;
        QTest::newRow("missing folder") << "no folder/x" << false << NotFound;
        QTest::newRow("empty path") << "" << false << NotFound;
        QTest::newRow("directory") << "." << true << error("Error 21\r\nIs a directory");
        QTest::newRow("2 GiB + 1") << "big" << true << error("Error 27\r\nFile too large");
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
        QCOMPARE(QFileInfo(bigFile()).size(), TwoGiBPlusOne + 3);
        QVERIFY(m_sink.messages.isEmpty());
    }

    void failedSaveTouchesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Message>("message");
        const QString noFile = QStringLiteral("Error 2\r\nNo such file or directory");
        QTest::newRow("missing folder") << "no folder/x.hsc"
                                        << "text" << error(noFile);
        QTest::newRow("empty path") << ""
                                    << "text" << error(noFile);
        QTest::newRow("directory") << "dir.hsc"
                                   << "text" << error("Error 21\r\nIs a directory");
        QTest::newRow("through a file") << "old.hsc/x.hsc"
                                        << "text" << error("Error 20\r\nNot a directory");
        QTest::newRow("full disk") << "/dev/full"
                                   << "text" << error("Error 28\r\nNo space left on device");
        // A character with no byte is named, with where the editor shows it: a lone LF
        // ends a line there, a lone CR shows inside its line.
        const auto unsavable = [](const char* named) {
            return error(QStringLiteral("Error 84\r\nInvalid or incomplete multibyte or wide "
                                        "character\r\nThe character %1 has no byte in "
                                        "Windows-1252. Nothing was saved.")
                             .arg(QString::fromUtf8(named)));
        };
        QTest::newRow("second line") << "old.hsc" << QStringLiteral("one\r\nab\t\u0100")
                                     << unsavable("\"\u0100\" (U+0100) at line 2, column 4");
        QTest::newRow("outside 16 bits")
            << "new.hsc" << QStringLiteral("a\nb\rc\U0001F600")
            << unsavable("\"\U0001F600\" (U+1F600) at line 2, column 4");
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
            // Writes past 64 bytes fail, as on a full disk: EFBIG, with SIGXFSZ ignored.
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit old{};
            getrlimit(RLIMIT_FSIZE, &old);
            const auto restore = qScopeGuard([old] { setrlimit(RLIMIT_FSIZE, &old); });
            const rlimit limit{64, old.rlim_max};
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
            QVERIFY(!m_store.SaveTextFile(text, path("old.hsc")));
            QVERIFY(!m_store.SaveTextFile(text, path("new.hsc")));
        }
        QCOMPARE(m_sink.take(), QList<Message>(2, error("Error 27\r\nFile too large")));
        QCOMPARE(readBytes(path("old.hsc")), "old\r\n");
        QVERIFY(!QFile::exists(path("new.hsc")));
        QVERIFY(m_store.SaveTextFile(text, path("old.hsc"))); // one failure causes no other
        QCOMPARE(readBytes(path("old.hsc")), "old\r\n" + text.toLatin1() + "\r\n");
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

    void messageBoxIsCriticalWithOkOnly()
    {
        QWidget window;
        const auto box = MessageBoxSink::criticalBox(&window, QStringLiteral("Error"),
                                                     QStringLiteral("Error 2\r\nNo such file"));
        QCOMPARE(box->icon(), QMessageBox::Critical);
        QCOMPARE(box->standardButtons(), QMessageBox::Ok);
        QCOMPARE(box->windowTitle(), QStringLiteral("Error"));
        QCOMPARE(box->text(), QStringLiteral("Error 2\r\nNo such file"));
        QCOMPARE(box->textFormat(), Qt::PlainText);
        QCOMPARE(box->parentWidget(), &window);
    }
};

QTEST_MAIN(ScriptFileStoreTest)
#include "tst_scriptfilestore.moc"
