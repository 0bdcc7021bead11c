#include "Figures.h"

#include "ProcessMemory.h"

#include <QElapsedTimer>
#include <benchmark/benchmark.h>
#include <deque>

namespace vantrel::bench {
namespace {

std::deque<Figure>& figures()
{
    static std::deque<Figure> all;
    return all;
}

void measurePair(benchmark::State& state, const Figure& figure, bool subjectFirst)
{
    Sample subject, baseline;
    if (subjectFirst) {
        subject = figure.subject();
        baseline = figure.baseline();
    } else {
        baseline = figure.baseline();
        subject = figure.subject();
    }
    if (!subject.error.empty() || !baseline.error.empty()) {
        state.SkipWithError((subject.error + baseline.error).c_str());
        return;
    }
    state.SetIterationTime(subject.seconds);
    state.counters["baseline"] = baseline.seconds;
    state.counters["ratio"] = subject.seconds / baseline.seconds;
    if (figure.goal.peakRiseMegabytes > 0)
        state.counters["peak_rise"] = subject.peakRiseMegabytes;
    if (figure.goal.extraMegabytes > 0) {
        state.counters["peak"] = subject.peakMegabytes;
        state.counters["baseline_peak"] = baseline.peakMegabytes;
        state.counters["extra"] = subject.peakMegabytes - baseline.peakMegabytes;
    }
}

} // namespace

void addFigure(Figure figure)
{
    const Figure& added = figures().emplace_back(std::move(figure));
    benchmark::RegisterBenchmark(added.name.c_str(),
                                 [&added, turn = 0](benchmark::State& state) mutable {
                                     // Take turns going first: the second run of a pair
                                     // can find caches warm that the first left.
                                     for (auto _ : state)
                                         measurePair(state, added, turn++ % 2 == 1);
                                 })
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(added.pairs)
        ->ReportAggregatesOnly()
        ->Unit(benchmark::kMillisecond);
}

const Figure* findFigure(const std::string& name)
{
    for (const Figure& figure : figures())
        if (figure.name == name)
            return &figure;
    return nullptr;
}

void removeFigures()
{
    figures().clear();
}

double peakRiseOf(const std::function<void()>& work)
{
    // Writing 5 to clear_refs sets the peak (VmHWM) back to the memory resident now.
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1)
        return -1;
    clear.close();
    const qint64 before = processMemoryKb("VmRSS");
    work();
    return double(processMemoryKb("VmHWM") - before) / 1024;
}

double secondsOf(const std::function<void()>& work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return double(clock.nsecsElapsed()) / 1e9;
}

} // namespace vantrel::bench
