// The benchmark program: every figure against its baseline, one line each. Runs offscreen;
// under an X server (DISPLAY set) start-up is measured there as well.
// Google Benchmark's options apply, for instance --benchmark_filter=startup.
#include "CompileFigures.h"
#include "Figures.h"
#include "FileFigures.h"
#include "FindFigures.h"
#include "LanguageFigures.h"
#include "RatioReporter.h"
#include "StartupFigures.h"
#include "app/Application.h"
#include "mainwindow/Form1.h"

#include <QApplication>
#include <benchmark/benchmark.h>

int main(int argc, char* argv[])
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    vantrel::setUpApplication(app);
    QApplication::setQuitOnLastWindowClosed(false);

    vantrel::bench::addStartupFigures(vantrel::Form1().size());
    vantrel::bench::addCheckStartupFigure();
    vantrel::bench::addFileFigures();
    vantrel::bench::addCompileFigures();
    vantrel::bench::addLanguageFigures();
    vantrel::bench::addFindFigures();

    vantrel::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    vantrel::bench::removeFigures(); // their windows go before the application does
    return reporter.failed() ? 1 : 0;
}
