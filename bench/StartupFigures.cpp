#include "StartupFigures.h"

#include "Figures.h"

#include <QElapsedTimer>
#include <QProcess>

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

void addStartupFigure(const QString& platform, const std::string& label, QSize windowSize,
                      const QString& text = QString())
{
    QStringList arguments{QString::number(windowSize.width()),
                          QString::number(windowSize.height())};
    if (!text.isEmpty())
        arguments << text;
    addFigure(
        {.name = "startup " + label,
         .subjectName = "vantrel",
         .baselineName = text.isEmpty() ? "bare window" : "window with a label",
         .goal = {.ratio = text.isEmpty() ? 1.2 : 0, .extraMegabytes = text.isEmpty() ? 10.0 : 0},
         .pairs = 15,
         .subject =
             [platform] {
                 return startUntilPainted(QStringLiteral(VANTREL_PROGRAM), {}, platform);
             },
         .baseline =
             [platform, arguments] {
                 return startUntilPainted(QStringLiteral(VANTREL_BARE_WINDOW), arguments, platform);
             }});
}

} // namespace

void addStartupFigures(QSize windowSize)
{
    addStartupFigure(QStringLiteral("offscreen"), "(offscreen)", windowSize);
    // What showing any text at all costs: fonts found, loaded and drawn.
    addStartupFigure(QStringLiteral("offscreen"), "(offscreen) vs label", windowSize,
                     QStringLiteral("Script Name"));
    if (qEnvironmentVariableIsSet("DISPLAY"))
        addStartupFigure(QStringLiteral("xcb"), "(X server)", windowSize);
}

} // namespace vantrel::bench
