#include "files/FunctionListFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace vantrel;

namespace {

const QByteArray List = "; AVAILABLE FUNCTIONS:\r\n\r\n(<void> game_save)\r\n; saves\r\n";

} // namespace

class TestFunctionListFile : public QObject
{
    Q_OBJECT

private slots:
    void findsTheListUpToTheRoot_data()
    {
        QTest::addColumn<QStringList>("files"); // "path=content" under the folder; "path/" a folder
        QTest::addColumn<QString>("expected");  // the list found, or "" for none
        const QString l = "=" + QString::fromLatin1(List);
        QTest::newRow("one up") << QStringList{"a/functions.txt" + l} << "a/functions.txt";
        QTest::newRow("nearest wins")
            << QStringList{"list.txt" + l, "a/list.txt" + l} << "a/list.txt";
        QTest::newRow("first by name")
            << QStringList{"a/b/zz.txt" + l, "a/b/aa.txt" + l, "a/b/mm.txt=notes"} << "a/b/aa.txt";
        QTest::newRow("first line rule")
            << QStringList{"a/b/notes.txt=; notes\r\n; AVAILABLE FUNCTIONS:\r\n(<void> f)",
                           "a/b/readme.txt=(<void> f)", "a/other.txt" + l}
            << "a/other.txt";
        QTest::newRow("LF and upper case name")
            << QStringList{"a/b/LIST.TXT=; AVAILABLE FUNCTIONS:\n(<void> f)\n"} << "a/b/LIST.TXT";
        QTest::newRow("not .txt") << QStringList{"a/b/functions.lst" + l} << "";
        QTest::newRow("a folder named .txt") << QStringList{"a/b/dir.txt/"} << "";
        QTest::newRow("below is not looked in") << QStringList{"a/b/c/list.txt" + l} << "";
        QTest::newRow("none") << QStringList{} << "";
    }

    void findsTheListUpToTheRoot()
    {
        QFETCH(QStringList, files);
        QTemporaryDir dir;
        QDir root(dir.path());
        QVERIFY(root.mkpath("a/b"));
        for (const QString& file : files) {
            const QString path = file.section(u'=', 0, 0);
            if (path.endsWith(u'/')) {
                QVERIFY(root.mkpath(path));
                continue;
            }
            QVERIFY(root.mkpath(QFileInfo(root.filePath(path)).path()));
            QFile out(root.filePath(path));
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(file.section(u'=', 1).toLatin1());
        }
        QFETCH(QString, expected);
        const QString found = FunctionListFile::findFor(root.filePath("a/b/level.hsc"));
        // With none in the test's folders, the search goes on above them, to the root.
        const QString above = FunctionListFile::findFor(QFileInfo(root.path()).path() + "/x.hsc");
        QCOMPARE(found, expected.isEmpty() ? above : root.filePath(expected));
    }

    void readsOrSaysWhyNot_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("functions");
        QTest::newRow("a list") << "list.txt"
                                << "" << 1;
        QTest::newRow("globals only") << "globals.txt"
                                      << "holds no functions" << 0;
        QTest::newRow("missing") << "missing.txt"
                                 << "No such file or directory" << 0;
        QTest::newRow("a folder") << "folder"
                                  << "is a folder, not a file" << 0;
    }

    void readsOrSaysWhyNot()
    {
        QTemporaryDir dir;
        QDir root(dir.path());
        QVERIFY(root.mkdir("folder"));
        for (const auto& [name, bytes] :
             {std::pair("list.txt", List),
              std::pair("globals.txt",
                        QByteArray("; AVAILABLE EXTERNAL GLOBALS:\n(<real> g)\n"))}) {
            QFile out(root.filePath(name));
            QVERIFY(out.open(QIODevice::WriteOnly));
            QCOMPARE(out.write(bytes), bytes.size());
        }
        QFETCH(QString, name);
        const FunctionListFile file = FunctionListFile::read(root.filePath(name));
        QTEST(file.error, "error");
        QTEST(file.list ? int(file.list->functions().size()) : 0, "functions");
        QCOMPARE(bool(file.list), file.error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestFunctionListFile)
#include "tst_functionlistfile.moc"
