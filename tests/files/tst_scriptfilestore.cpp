#include "FileTestSupport.h"
#include "ScriptFileStore.h"
#include "Windows1252.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

using namespace vantrel;
using namespace vantrel::test;
using Message = RecordingSink::Message;

namespace {

const std::int64_t TwoGiBPlusOne = (std::int64_t(1) << 31) + 1;

Message errorMessage(const char* text)
{
    return {QStringLiteral("Error"), QString::fromUtf8(text)};
}

const Message NotFound{QStringLiteral("Sorry"),
                       QStringLiteral("File not found. Check if the file is Currently exists.")};

// Every byte value once, in an order that the seed decides.
QByteArray shuffledBytes(quint32 seed)
{
    QByteArray bytes(256, '\0');
    for (int b = 0; b < 256; ++b)
        bytes[b] = char(b);
    QRandomGenerator random(seed);
    std::shuffle(bytes.begin(), bytes.end(), random);
    return bytes;
}

// Lets this process write files up to a size only, as a full disk would; writes past it
// fail with EFBIG instead of killing the process.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, m_old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

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

    void everyByteDecodesAndEncodesBack()
    {
        const QByteArray bytes = shuffledBytes(7);
        const QString text = decodeWindows1252(bytes);
        QCOMPARE(text.size(), 256);
        QCOMPARE(encodeWindows1252(text).bytes, bytes);
        QVERIFY(!encodeWindows1252(text).firstUnencodable);
        // The five undefined bytes stand for the control characters of the same code.
        QCOMPARE(decodeWindows1252("\x80\x81\x8D\x8F\x90\x9D\x9F\xFF"),
                 QStringLiteral("\u20AC\u0081\u008D\u008F\u0090\u009D\u0178\u00FF"));
    }

    void unencodableCharacterIsFound_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qsizetype>("index");
        QTest::newRow("latin extended") << QStringLiteral("a\u0100b") << qsizetype(1);
        QTest::newRow("outside 16 bits") << QStringLiteral("ab\U0001F600") << qsizetype(2);
        QTest::newRow("lone surrogate at end")
            << (QStringLiteral("x") + QChar(0xD800)) << qsizetype(1);
        QTest::newRow("after SUB") << QStringLiteral("\x1A\u2603") << qsizetype(1);
    }

    void unencodableCharacterIsFound()
    {
        QFETCH(QString, text);
        QFETCH(qsizetype, index);
        const Windows1252Bytes encoded = encodeWindows1252(text);
        QCOMPARE(encoded.firstUnencodable, std::optional(index));
        QVERIFY(encoded.bytes.isEmpty());
    }

    void fileExistsAnswersWithoutMessages()
    {
        QVERIFY(writeBytes(path("empty"), {}));
        QVERIFY(m_store.FileExists(path("empty")));
        QVERIFY(m_store.FileExists(m_dir->path()));
        QVERIFY(m_store.FileExists(bigFile()));
        QVERIFY(!m_store.FileExists(path("missing")));
        QVERIFY(!m_store.FileExists(path("no folder/x")));
        QVERIFY(!m_store.FileExists(QString()));
        QCOMPARE(m_sink.messages.size(), 0);
    }

    void loadGivesTheBytesExactly()
    {
        const QByteArray bytes = shuffledBytes(11) + "\r\n\r\n\n\r";
        QVERIFY(writeBytes(path("all"), bytes));
        const std::optional<QString> text = m_store.LoadTextFile(path("all"));
        QVERIFY(text);
        QCOMPARE(*text, decodeWindows1252(bytes));
        QVERIFY(writeBytes(path("empty"), {}));
        QCOMPARE(m_store.LoadTextFile(path("empty")), std::optional(QString()));
        QCOMPARE(m_sink.messages.size(), 0);
    }

    void failedLoadIsToldFromAnEmptyFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Message>("message");
        QTest::newRow("missing file") << "missing" << NotFound;
        QTest::newRow("missing folder") << "no folder/x" << NotFound;
        QTest::newRow("directory") << "." << errorMessage("Error 21\r\nIs a directory");
        QTest::newRow("2 GiB + 1") << "big" << errorMessage("Error 27\r\nFile too large");
    }

    void failedLoadIsToldFromAnEmptyFile()
    {
        QFETCH(QString, name);
        QFETCH(Message, message);
        bigFile();
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(m_store.LoadTextFile(path(name)), std::nullopt);
        QVERIFY2(clock.elapsed() < 2000, "a refused file is not read");
        QCOMPARE(m_sink.take(), QList{message});
        // The channel was released: the next load works.
        QVERIFY(writeBytes(path("after"), "ok"));
        QCOMPARE(m_store.LoadTextFile(path("after")), std::optional(QStringLiteral("ok")));
        QCOMPARE(m_store.LoadTextFile(QString()), std::nullopt);
        QCOMPARE(m_sink.take(), QList{NotFound});
    }

    void saveAppendsTextAndCrLf()
    {
        const QString file = path("s.hsc");
        QVERIFY(m_store.SaveTextFile(QStringLiteral("A\r\n(x)"), file));
        QCOMPARE(readBytes(file), "A\r\n(x)\r\n");
        QCOMPARE(m_store.LoadTextFile(file), std::optional(QStringLiteral("A\r\n(x)\r\n")));
        QVERIFY(m_store.SaveTextFile(QStringLiteral("B\u20AC"), file));
        QVERIFY(m_store.SaveTextFile(QString(), file));
        QCOMPARE(readBytes(file), "A\r\n(x)\r\nB\x80\r\n\r\n");
        // Appending to a file of 2 GiB or more works and is found afterwards.
        QVERIFY(m_store.SaveTextFile(QStringLiteral("z"), bigFile()));
        QCOMPARE(QFileInfo(bigFile()).size(), TwoGiBPlusOne + 3);
        QCOMPARE(m_sink.messages.size(), 0);
    }

    void failedSaveTouchesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Message>("message");
        QTest::newRow("missing folder")
            << "no folder/x.hsc" << errorMessage("Error 2\r\nNo such file or directory");
        QTest::newRow("directory") << "dir.hsc" << errorMessage("Error 21\r\nIs a directory");
        QTest::newRow("through a file")
            << "old.hsc/x.hsc" << errorMessage("Error 20\r\nNot a directory");
        QTest::newRow("empty path") << "" << errorMessage("Error 2\r\nNo such file or directory");
        QTest::newRow("full disk")
            << "/dev/full" << errorMessage("Error 28\r\nNo space left on device");
    }

    void failedSaveTouchesNothing()
    {
        QFETCH(QString, name);
        QFETCH(Message, message);
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("dir.hsc")));
        QVERIFY(writeBytes(path("old.hsc"), "old\r\n"));
        const QStringList before = QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden);
        const QString file = name.startsWith(u'/') || name.isEmpty() ? name : path(name);
        QVERIFY(!m_store.SaveTextFile(QStringLiteral("text"), file));
        QCOMPARE(m_sink.take(), QList{message});
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden), before);
        QCOMPARE(readBytes(path("old.hsc")), "old\r\n");
        QVERIFY(m_store.SaveTextFile(QStringLiteral("new"), path("old.hsc")));
        QCOMPARE(readBytes(path("old.hsc")), "old\r\nnew\r\n");
    }

    void writeFailingPartWayLeavesTheFileAsItWas()
    {
        const QByteArray old = "old\r\n";
        QVERIFY(writeBytes(path("old.hsc"), old));
        const QString text(1000, u'x');
        {
            FileSizeLimit limit(64);
            QVERIFY(!m_store.SaveTextFile(text, path("old.hsc")));
            QVERIFY(!m_store.SaveTextFile(text, path("new.hsc")));
        }
        QCOMPARE(m_sink.take(), QList<Message>(2, errorMessage("Error 27\r\nFile too large")));
        QCOMPARE(readBytes(path("old.hsc")), old);
        QVERIFY(!QFile::exists(path("new.hsc")));
        // One failure causes no other.
        QVERIFY(m_store.SaveTextFile(text, path("old.hsc")));
        QCOMPARE(readBytes(path("old.hsc")), old + text.toLatin1() + "\r\n");
    }

    void unencodableCharacterSavesNothing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("named");
        QTest::newRow("second line") << QStringLiteral("one\r\nab\t\u0100")
                                     << QStringLiteral("\"\u0100\" (U+0100) at line 2, column 4");
        // A lone LF ends a line in the editor; a lone CR shows inside its line.
        QTest::newRow("outside 16 bits")
            << QStringLiteral("a\nb\rc\U0001F600")
            << QStringLiteral("\"\U0001F600\" (U+1F600) at line 2, column 4");
        QTest::newRow("invisible")
            << QStringLiteral("\u200B") << QStringLiteral("(U+200B) at line 1, column 1");
    }

    void unencodableCharacterSavesNothing()
    {
        QFETCH(QString, text);
        QFETCH(QString, named);
        QVERIFY(writeBytes(path("old.hsc"), "old"));
        QVERIFY(!m_store.SaveTextFile(text, path("old.hsc")));
        QVERIFY(!m_store.SaveTextFile(text, path("new.hsc")));
        const Message message{QStringLiteral("Error"),
                              QStringLiteral("Error 84\r\nInvalid or incomplete multibyte or wide "
                                             "character\r\nThe character %1 has no byte in "
                                             "Windows-1252. Nothing was saved.")
                                  .arg(named)};
        QCOMPARE(m_sink.take(), QList<Message>(2, message));
        QCOMPARE(readBytes(path("old.hsc")), "old");
        QVERIFY(!QFile::exists(path("new.hsc")));
    }

    void overlappingOpenFailsAsAlreadyOpen()
    {
        QVERIFY(writeBytes(path("a"), "a"));
        {
            ScriptFileStore::Channel held(m_store);
            QCOMPARE(held.openForReading(path("a")), 0);
            QCOMPARE_NE(ScriptFileStore::Channel(m_store).openForReading(path("a")), 0);
            QCOMPARE(m_store.LoadTextFile(path("a")), std::nullopt);
            QVERIFY(!m_store.SaveTextFile(QStringLiteral("b"), path("b")));
            QCOMPARE(m_sink.take(),
                     QList<Message>(2, errorMessage("Error 16\r\nDevice or resource busy")));
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
