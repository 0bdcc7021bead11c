#include "StartupFigures.h"

#include "Figures.h"
#include "script/ScriptComposer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>

namespace vantrel::bench {
namespace {

// From the start of the process to its first window painted, as the paint probe reports
// it, with the peak memory up to then.
Sample startUntilPainted(const QString& program, const QStringList& arguments,
                         const QString& platform)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    environment.insert(QStringLiteral("QT_QPA_PLATFORMTHEME"), QString());
    environment.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(VANTREL_PROBE_PLUGIN_DIR));
    environment.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"),
                       QStringLiteral("vantrelpaintprobe"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setStandardErrorFile(QProcess::nullDevice());

    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    while (!process.canReadLine() && process.waitForReadyRead(10000)) {
    }
    Sample sample;
    sample.seconds = double(clock.nsecsElapsed()) / 1e9;
    const QList<QByteArray> report = process.readLine().trimmed().split(' ');
    if (!process.waitForFinished(10000))
        process.kill();
    if (report.size() != 2 || report[0] != "painted")
        sample.error = program.toStdString() + " did not report its first paint";
    sample.peakMegabytes = report.value(1).toDouble() / 1024;
    return sample;
}

// The program's start-up against a baseline program's, both on the given platform.
struct Baseline
{
    std::string label = {}; // after the platform in the figure's name
    std::string name = {};
    QString program = {};
    QStringList arguments = {};
    Goal goal = {};
};

void addStartupFigure(const QString& platform, const std::string& label, const Baseline& baseline)
{
    addFigure({.name = "startup " + label + baseline.label,
               .subjectName = "vantrel",
               .baselineName = baseline.name,
               .goal = baseline.goal,
               .pairs = 15,
               .subject =
                   [platform] {
                       return startUntilPainted(QStringLiteral(VANTREL_PROGRAM), {}, platform);
                   },
               .baseline =
                   [platform, baseline] {
                       return startUntilPainted(baseline.program, baseline.arguments, platform);
                   }});
}

// From the start of the process to its end, with no display at all.
Sample runToEnd(const QString& program, const QStringList& arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    QProcess process;
    process.setProcessEnvironment(environment);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    const bool finished = process.waitForFinished(10000);
    Sample sample;
    sample.seconds = double(clock.nsecsElapsed()) / 1e9;
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        sample.error =
            program.toStdString() + " failed: " + process.readAllStandardError().toStdString();
    return sample;
}

} // namespace

void addCheckStartupFigure()
{
    // A script as Compile writes it and Save stores it.
    auto folder = std::make_shared<QTemporaryDir>();
    const QString script = folder->filePath(QStringLiteral("small.hsc"));
    QFile file(script);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write((ComposeScript(ScriptFields{}) + "\r\n").c_str()) <= 0)
        qFatal("cannot write %s", qPrintable(script));
    addFigure(
        {.name = "check start-up",
         .subjectName = "vantrel check",
         .baselineName = "Qt Core program reading the file",
         .goal = {.ratio = 1.5},
         .pairs = 15,
         .subject =
             [folder, script] {
                 return runToEnd(QStringLiteral(VANTREL_PROGRAM),
                                 {QStringLiteral("check"), script});
             },
         .baseline = [folder,
                      script] { return runToEnd(QStringLiteral(VANTREL_FILE_SIZE), {script}); }});
}

void addStartupFigures(QSize windowSize)
{
    const QStringList size{QString::number(windowSize.width()),
                           QString::number(windowSize.height())};
    const Baseline bare{.name = "bare window",
                        .program = QStringLiteral(VANTREL_BARE_WINDOW),
                        .arguments = size,
                        .goal = {.ratio = 1.2, .extraMegabytes = 10}};
    // What showing any text at all costs: fonts found, loaded and drawn.
    const Baseline label{.label = " vs label",
                         .name = "window with a label",
                         .program = QStringLiteral(VANTREL_BARE_WINDOW),
                         .arguments = size + QStringList{QStringLiteral("Script Name")}};
    // What the main window's controls cost the toolkit, with no program behind them: the
    // floor for what the program itself adds.
    const Baseline sameControls{.label = " vs same controls",
                                .name = "same controls",
                                .program = QStringLiteral(VANTREL_SAME_CONTROLS_WINDOW),
                                .goal = {.ratio = 1.1}};
    const QString offscreen = QStringLiteral("offscreen");
    addStartupFigure(offscreen, "(offscreen)", bare);
    addStartupFigure(offscreen, "(offscreen)", label);
    addStartupFigure(offscreen, "(offscreen)", sameControls);
    if (qEnvironmentVariableIsSet("DISPLAY")) {
        const QString xcb = QStringLiteral("xcb");
        addStartupFigure(xcb, "(X server)", bare);
        addStartupFigure(xcb, "(X server)", sameControls);
    }
}

} // namespace vantrel::bench
