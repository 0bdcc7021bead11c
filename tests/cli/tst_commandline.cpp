#include "ScriptComposer.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using vantrel::ScriptFields;

namespace {

// The script's bytes: the names here are all Windows-1252 characters, which Latin-1
// shares with it.
QByteArray script(ScriptFields fields)
{
    return QString::fromStdString(vantrel::ComposeScript(fields)).toLatin1();
}

ScriptFields
withNames(std::initializer_list<std::pair<std::string ScriptFields::*, const char*>> names)
{
    ScriptFields fields;
    for (const auto& [field, name] : names)
        fields.*field = name;
    return fields;
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
Run run(const QStringList& arguments, const QString& folder, const QStringList& environment = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(name));
    for (const QString& setting : environment)
        env.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
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

    QByteArray readFile(const QString& name) const
    {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<absent>");
    }

private slots:
    void commands_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("err");
        QTest::addColumn<QByteArray>("outFile"); // the bytes of out.hsc, which holds "old\r\n"

        const QByteArray untouched = "old\r\n";
        const ScriptFields defaults;
        QTest::newRow("version") << QStringList{"--version"} << 0 << QByteArray("Vantrel 1.0.8\n")
                                 << QByteArray() << untouched;
        QTest::newRow("unknown option") << QStringList{"--vehicle", "x"} << 2 << QByteArray()
                                        << usage("unknown option '--vehicle'") << untouched;
        QTest::newRow("two files")
            << QStringList{"a.hsc", "b.hsc"} << 2 << QByteArray()
            << usage("unknown command 'a.hsc' (the window opens one FILE)") << untouched;

        QTest::newRow("defaults") << QStringList{"compose"} << 0 << script(defaults) << QByteArray()
                                  << untouched;
        ScriptFields two = withNames({{&ScriptFields::vehicleName, "Jeep"},
                                      {&ScriptFields::secondVehicleName, "Tank"},
                                      {&ScriptFields::flagName, "Sortie_\xC3\xA9"}});
        two.twoVehicles = true;
        QTest::newRow("two vehicles")
            << QStringList{"compose", "--second-vehicle=Tank", "--vehicle", "Jeep",
                           "--flag",  "Sortie_\u00E9"}
            << 0 << script(two) << QByteArray() << untouched;
        QTest::newRow("marked names still compose")
            << QStringList{"compose", "--vehicle", "Warthog vehic", "--script-name="} << 0
            << script(withNames({{&ScriptFields::vehicleName, "Warthog vehic"},
                                 {&ScriptFields::scriptName, ""}}))
            << QByteArray("vantrel: warning: --script-name \"\": the name is empty\n"
                          "vantrel: warning: --vehicle \"Warthog vehic\": the name holds a "
                          "space: use underscores to represent spaces\n")
            << untouched;
        QTest::newRow("no byte for a name")
            << QStringList{"compose", "--output", "out.hsc", "--trigger", "Gate_\u0100"} << 1
            << QByteArray()
            << QByteArray("vantrel: --trigger \"Gate_\xC4\x80\": U+0100 has no byte in "
                          "Windows-1252; nothing was written\n")
            << untouched;
        QTest::newRow("missing value") << QStringList{"compose", "--output"} << 2 << QByteArray()
                                       << usage("option '--output' needs a value") << untouched;

        QTest::newRow("appends, adding no .hsc")
            << QStringList{"compose", "--output", "out.hsc"} << 0 << QByteArray() << QByteArray()
            << untouched + script(defaults) + "\r\n";
        QTest::newRow("missing folder")
            << QStringList{"compose", "--output", "no/x.hsc"} << 1 << QByteArray()
            << QByteArray("no/x.hsc: Error 2: No such file or directory\n") << untouched;
        QTest::newRow("full disk")
            << QStringList{"compose", "--output=/dev/full"} << 1 << QByteArray()
            << QByteArray("/dev/full: Error 28: No space left on device\n") << untouched;
    }

    void commands()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);
        QFETCH(QByteArray, outFile);
        QFile old(m_dir.filePath(QStringLiteral("out.hsc")));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old\r\n") == 5);
        old.close();

        const Run result = run(arguments, m_dir.path());
        QCOMPARE(result.err, err);
        QCOMPARE(result.out, out);
        QCOMPARE(result.status, status);
        QCOMPARE(readFile(QStringLiteral("out.hsc")), outFile);
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("no"))));
    }

    void helpListsEveryCommandAndOption()
    {
        const Run help = run({QStringLiteral("compose"), QStringLiteral("-h")}, m_dir.path());
        QCOMPARE(help.status, 0);
        for (const char* word : {"check FILE...", "compose [OPTION]...", "--script-name NAME",
                                 "--trigger NAME", "--flag NAME", "--vehicle NAME",
                                 "--second-vehicle NAME", "--output FILE", "--version"})
            QVERIFY2(help.out.contains(word), word);
    }

    // The commands load Qt Core alone: no window system library, no platform plugin.
    void commandsLoadNoWindowSystem()
    {
        const Run compose =
            run({QStringLiteral("compose")}, m_dir.path(),
                {QStringLiteral("LD_DEBUG=files"), QStringLiteral("QT_DEBUG_PLUGINS=1")});
        QCOMPARE(compose.status, 0);
        QVERIFY(compose.err.contains("file=libQt6Core.so.6"));
        QVERIFY2(!compose.err.contains("libQt6Gui"), compose.err.constData());
        QVERIFY2(!compose.err.contains("platforms"), compose.err.constData());
    }

    void failedStandardOutputIsReported()
    {
        QProcess process;
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        process.start(QStringLiteral(VANTREL_PROGRAM), {QStringLiteral("compose")});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 1);
        QCOMPARE(process.readAllStandardError(),
                 QByteArray("vantrel: standard output: No space left on device\n"));
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
