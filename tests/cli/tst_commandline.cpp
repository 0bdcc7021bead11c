#include "script/ScriptComposer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using vantrel::ScriptFields;

namespace {

using Names = std::initializer_list<std::pair<std::string ScriptFields::*, const char*>>;

// The script's bytes for these names: all Windows-1252 characters, which Latin-1 shares.
QByteArray script(Names names = {}, bool twoVehicles = false)
{
    ScriptFields fields;
    for (const auto& [field, name] : names)
        fields.*field = name;
    fields.twoVehicles = twoVehicles;
    return QString::fromStdString(vantrel::ComposeScript(fields)).toLatin1();
}

QByteArray usage(const char* error)
{
    return QByteArray("vantrel: ") + error + "\nTry 'vantrel --help' for more information.\n";
}

struct Run
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// The program as a shell over SSH starts it: no display, no platform chosen.
Run run(const QStringList& arguments, const QString& folder, const QStringList& environment = {},
        const QString& outputFile = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(name));
    for (const QString& setting : environment)
        env.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    process.start(QStringLiteral(VANTREL_PROGRAM), arguments);
    if (!process.waitForFinished(30000))
        qFatal("the program did not finish");
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace

class CommandLineTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }
    bool write(const char* name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder")));
        QVERIFY(write("clean.hsc", "(script startup caf\xE9 (a \"\xE9\"))"));
        QVERIFY(write("broken.hsc", "\xE9\xE9 )\r\n(x"));
        QVERIFY(write("functions.txt", "; AVAILABLE FUNCTIONS:\r\n\r\n"
                                       "(<void> object_teleport <object> <cutscene_flag>)\r\n"
                                       "; moves it\r\n\r\n(<void> ai_place <ai>)\r\n"
                                       "(<void> ai_place <ai> <short>)\r\n(<void> oops\r\n"));
        QVERIFY(write("empty.txt", "; AVAILABLE FUNCTIONS:\r\n\r\n; AVAILABLE EXTERNAL GLOBALS:"
                                   "\r\n\r\n(<short> some_global)\r\n"));
        QVERIFY(write("calls.hsc", "(object_teleport a)\r\n(sleep_until a 1 2)\r\n"
                                   "(ai_place s 1 2)(other 1)\r\n"));
        QVERIFY(write("-odd.hsc", ")"));
        QVERIFY(write("utf8.hsc", "\xEF\xBB\xBF\"\xE2\x80\x9C\xF0\x9F\x98\x80\" )\n(x"));
        QVERIFY(write("cr.hsc", "(a)\r)\r\n\r)"));
        QVERIFY(write("warned.hsc", "(script startup a ())\n\"b\""));
        QVERIFY(write("dialect.hsc", "// C-like\nscript startup a()\n{\n}\n"));
    }

    void commands_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("err");
        QTest::addColumn<QByteArray>("outFile"); // out.hsc, which held "old\r\n"

        const QByteArray old = "old\r\n";
        const QByteArray none;
        QTest::newRow("version") << QStringList{"--version"} << 0 << QByteArray("Vantrel 1.0.8\n")
                                 << none << old;
        QTest::newRow("unknown option") << QStringList{"--vehicle", "x"} << 2 << none
                                        << usage("unknown option '--vehicle'") << old;
        QTest::newRow("two files")
            << QStringList{"a.hsc", "b.hsc"} << 2 << none
            << usage("unknown command 'a.hsc' (the window opens one FILE)") << old;

        // Columns count characters: each of the two letters before the ')' is one byte.
        const QByteArray broken =
            "broken.hsc:1:1: warning: '\xC3\xA9\xC3\xA9' is outside every form\n"
            "broken.hsc:1:4: error: ')' closes nothing\n"
            "broken.hsc:2:1: error: '(' is never closed\n";
        QTest::newRow("problems") << QStringList{"check", "broken.hsc", "clean.hsc"} << 1 << broken
                                  << none << old;
        // A UTF-8 file's characters, its byte order mark none; each line end one line.
        QTest::newRow("UTF-8 and CR") << QStringList{"check", "utf8.hsc", "cr.hsc"} << 1
                                      << QByteArray("utf8.hsc:1:1: warning: string outside every "
                                                    "form\n"
                                                    "utf8.hsc:1:6: error: ')' closes nothing\n"
                                                    "utf8.hsc:2:1: error: '(' is never closed\n"
                                                    "cr.hsc:2:1: error: ')' closes nothing\n"
                                                    "cr.hsc:1:3: note: this ')' may be the extra "
                                                    "one: the lines after it are indented as if "
                                                    "the form went on\n"
                                                    "cr.hsc:4:1: error: ')' closes nothing\n")
                                      << none << old;
        // Warnings and notes alone leave the status at 0.
        QTest::newRow("warnings only")
            << QStringList{"check", "warned.hsc", "dialect.hsc"} << 0
            << QByteArray("warned.hsc:1:19: warning: empty form '()'\n"
                          "warned.hsc:2:1: warning: string outside every form\n"
                          "dialect.hsc:1:1: note: file is in the C-like dialect, not the "
                          "parenthesised language: not checked\n")
            << none << old;
        QTest::newRow("unreadable files")
            << QStringList{"check", "missing.hsc", "broken.hsc", "folder"} << 2 << broken
            << QByteArray("missing.hsc: File not found. Check if the file is Currently exists.\n"
                          "folder: Error 21: Is a directory\n")
            << old;
        QTest::newRow("nothing to check")
            << QStringList{"check"} << 2 << none << usage("check needs at least one FILE") << old;

        const QByteArray calls =
            "calls.hsc:1:1: error: object_teleport takes 2 arguments, found 1\n"
            "calls.hsc:3:1: error: ai_place takes 1 to 2 arguments, found 3\n";
        const QByteArray skipped =
            "vantrel: warning: functions.txt: 1 line skipped, not read as functions\n";
        QTest::newRow("calls checked")
            << QStringList{"check", "--functions", "functions.txt", "calls.hsc", "clean.hsc"} << 1
            << calls << skipped << old;
        QTest::newRow("list without functions")
            << QStringList{"check", "--functions", "empty.txt", "calls.hsc"} << 2 << none
            << QByteArray("empty.txt: holds no functions\n") << old;
        QTest::newRow("list missing")
            << QStringList{"check", "--functions", "none.txt", "calls.hsc"} << 2 << none
            << QByteArray("none.txt: No such file or directory\n") << old;
        QTest::newRow("list is a folder")
            << QStringList{"check", "--functions", "folder", "calls.hsc"} << 2 << none
            << QByteArray("folder: is a folder, not a file\n") << old;
        QTest::newRow("list not named")
            << QStringList{"check", "calls.hsc", "--functions"} << 2 << none
            << usage("option '--functions' needs a value") << old;

        QTest::newRow("defaults") << QStringList{"compose"} << 0 << script() << none << old;
        QTest::newRow("two vehicles")
            << QStringList{"compose", "--second-vehicle=Tank", "--vehicle", "Jeep",
                           "--flag",  "Sortie_\u00E9"}
            << 0
            << script({{&ScriptFields::vehicleName, "Jeep"},
                       {&ScriptFields::secondVehicleName, "Tank"},
                       {&ScriptFields::flagName, "Sortie_\xC3\xA9"}},
                      true)
            << none << old;
        QTest::newRow("marked names still compose")
            << QStringList{"compose", "--vehicle", "Warthog vehic", "--script-name="} << 0
            << script(
                   {{&ScriptFields::vehicleName, "Warthog vehic"}, {&ScriptFields::scriptName, ""}})
            << QByteArray("vantrel: warning: --script-name \"\": the name is empty\n"
                          "vantrel: warning: --vehicle \"Warthog vehic\": the name holds a "
                          "space: use underscores to represent spaces\n")
            << old;
        QTest::newRow("no byte for a name")
            << QStringList{"compose", "--output", "out.hsc", "--trigger", "Gate_\u0100"} << 1
            << none
            << QByteArray("vantrel: --trigger \"Gate_\xC4\x80\": U+0100 has no byte in "
                          "Windows-1252; nothing was written\n")
            << old;
        QTest::newRow("appends, adding no .hsc") << QStringList{"compose", "--output", "out.hsc"}
                                                 << 0 << none << none << old + script() + "\r\n";
        QTest::newRow("missing folder")
            << QStringList{"compose", "--output", "no/x.hsc"} << 1 << none
            << QByteArray("no/x.hsc: Error 2: No such file or directory\n") << old;

        // getopt's conventions: a value is the next word, and "--" ends the options.
        QTest::newRow("-h as the vehicle")
            << QStringList{"compose", "--vehicle", "-h", "--flag", "--help"} << 0
            << script({{&ScriptFields::vehicleName, "-h"}, {&ScriptFields::flagName, "--help"}})
            << none << old;
        QTest::newRow("-- as the vehicle")
            << QStringList{"compose", "--vehicle", "--"} << 0
            << script({{&ScriptFields::vehicleName, "--"}}) << none << old;
        QTest::newRow("check -- -odd.hsc")
            << QStringList{"check", "--", "-odd.hsc"} << 1
            << QByteArray("-odd.hsc:1:1: error: ')' closes nothing\n") << none << old;
        QTest::newRow("-h after --")
            << QStringList{"check", "clean.hsc", "--", "-h"} << 2 << none
            << QByteArray("-h: File not found. Check if the file is Currently exists.\n") << old;
        QTest::newRow("compose after --")
            << QStringList{"compose", "--", "--output", "out.hsc"} << 2 << none
            << usage("compose takes options only, not '--output'") << old;
        QTest::newRow("full disk")
            << QStringList{"compose", "--output=/dev/full"} << 1 << none
            << QByteArray("/dev/full: Error 28: No space left on device\n") << old;
    }

    void commands()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);
        QFETCH(QByteArray, outFile);
        QVERIFY(write("out.hsc", "old\r\n"));
        const Run result = run(arguments, m_dir.path());
        QCOMPARE(result.err, err);
        QCOMPARE(result.out, out);
        QCOMPARE(result.status, status);
        QFile file(path("out.hsc"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), outFile);
        QVERIFY(!QFile::exists(path("no")));
    }

    // The launcher starts the window program for the window's words, "--" included, and the
    // command program for a command; the window program reads the words as the launcher
    // does. With no display it gets no further than loading the window libraries; a command
    // loads Qt Core alone: no window system library, no platform plugin.
    void windowOrCommand_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("window");
        QTest::newRow("-odd.hsc after --") << QStringList{"--", "-odd.hsc"} << true;
        QTest::newRow("a file named check") << QStringList{"--", "check"} << true;
        QTest::newRow("-odd.hsc alone") << QStringList{"-odd.hsc"} << false;
        QTest::newRow("check") << QStringList{"check", "clean.hsc"} << false;
        QTest::newRow("two files after --") << QStringList{"--", "a.hsc", "b.hsc"} << false;
    }

    void windowOrCommand()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, window);
        const Run result =
            run(arguments, m_dir.path(),
                {QStringLiteral("LD_DEBUG=files"), QStringLiteral("QT_DEBUG_PLUGINS=1")});
        QVERIFY(result.err.contains("file=libQt6Core.so.6"));
        QCOMPARE(result.err.contains("file=libQt6Widgets.so.6"), window);
        QCOMPARE(result.err.contains("libQt6Gui"), window);
        // Neither program took the words for a mistake.
        if (window)
            QVERIFY2(!result.err.contains("for more information"), result.err.constData());
        else
            QVERIFY2(!result.err.contains("platforms"), result.err.constData());
    }

    // An append starts on a line of its own: the script is never glued onto a last comment,
    // and the file still checks clean.
    void composeAppendsOnALineOfItsOwn_data()
    {
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<QByteArray>("lineEnd");
        QTest::newRow("comment, CR LF") << QByteArray("(a)\r\n; end") << QByteArray("\r\n");
        QTest::newRow("no line end") << QByteArray("(a)") << QByteArray("\r\n");
        QTest::newRow("line end last") << QByteArray("(a)\n") << QByteArray();
    }

    void composeAppendsOnALineOfItsOwn()
    {
        QFETCH(QByteArray, old);
        QFETCH(QByteArray, lineEnd);
        QVERIFY(write("glued.hsc", old));
        const Run compose =
            run({QStringLiteral("compose"), QStringLiteral("--output=glued.hsc")}, m_dir.path());
        QCOMPARE(compose.status, 0);
        QFile file(path("glued.hsc"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), old + lineEnd + script() + "\r\n");
        const Run check = run({QStringLiteral("check"), QStringLiteral("glued.hsc")}, m_dir.path());
        QCOMPARE(check.out + check.err, QByteArray());
        QCOMPARE(check.status, 0);
    }

    void helpAndFailedOutput()
    {
        const Run help = run({QStringLiteral("compose"), QStringLiteral("-h")}, m_dir.path());
        QCOMPARE(help.status, 0);
        for (const char* word :
             {"check FILE...", "--functions LIST", "compose [OPTION]...", "--script-name NAME",
              "--trigger NAME", "--flag NAME", "--vehicle NAME", "--second-vehicle NAME",
              "--output FILE", "--version", "Warnings: an", "1 when check found an error"})
            QVERIFY2(help.out.contains(word), word);
        const Run full = run({QStringLiteral("compose")}, m_dir.path(), {}, "/dev/full");
        QCOMPARE(full.status, 1);
        QCOMPARE(full.err, "vantrel: standard output: No space left on device\n");
    }

    // Where Qt would abort, advising to reinstall: one line, and status 1.
    void windowWithoutDisplaySaysSo()
    {
        const QByteArray said =
            "vantrel: no display could be opened for the window; check and compose need none\n";
        const Run none = run({QStringLiteral("clean.hsc")}, m_dir.path());
        QCOMPARE(none.err, said);
        QCOMPARE(none.out, QByteArray());
        QCOMPARE(none.status, 1);
        // A display named but out of reach: Qt says which, then so do we.
        const Run away = run({}, m_dir.path(), {QStringLiteral("DISPLAY=:4097")});
        QVERIFY2(away.err.endsWith(said) && !away.err.contains("Reinstalling"),
                 away.err.constData());
        QCOMPARE(away.status, 1);
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
