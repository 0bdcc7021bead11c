#include "RatioReporter.h"

#include "Figures.h"

#include <cstdio>

namespace vantrel::bench {
namespace {

const char* verdict(bool met)
{
    return met ? "met" : "MISSED";
}

} // namespace

void RatioReporter::ReportRuns(const std::vector<Run>& runs)
{
    for (const Run& run : runs) {
        if (run.error_occurred) {
            std::printf("%-38s failed: %s\n", run.run_name.function_name.c_str(),
                        run.error_message.c_str());
            m_failed = true;
            return;
        }
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
            report(run);
    }
}

void RatioReporter::report(const Run& median)
{
    const Figure* figure = findFigure(median.run_name.function_name);
    if (!figure)
        return;
    const auto counter = [&](const char* name) {
        const auto found = median.counters.find(name);
        return found == median.counters.end() ? 0.0 : found->second.value;
    };
    const double ratio = counter("ratio");
    std::string line = figure->name;
    line.resize(std::max<size_t>(line.size() + 1, 38), ' '); // a long name keeps a space
    char text[256];
    std::snprintf(text, sizeof text, "ratio %5.2f", ratio);
    line += text;
    if (figure->goal.ratio > 0) {
        const bool met = ratio <= figure->goal.ratio;
        m_missedGoal |= !met;
        std::snprintf(text, sizeof text, " (goal <= %.2f: %s)", figure->goal.ratio, verdict(met));
        line += text;
    }
    std::snprintf(text, sizeof text, "   %s %.1f ms, %s %.1f ms", figure->subjectName.c_str(),
                  median.GetAdjustedRealTime(), figure->baselineName.c_str(),
                  counter("baseline") * 1000);
    line += text;
    if (figure->goal.peakRiseMegabytes > 0) {
        const bool met = counter("peak_rise") <= figure->goal.peakRiseMegabytes;
        m_missedGoal |= !met;
        std::snprintf(text, sizeof text, "; peak memory %+.1f MB during it (goal <= +%.0f: %s)",
                      counter("peak_rise"), figure->goal.peakRiseMegabytes, verdict(met));
        line += text;
    }
    if (figure->goal.extraMegabytes > 0) {
        const bool met = counter("extra") <= figure->goal.extraMegabytes;
        m_missedGoal |= !met;
        std::snprintf(text, sizeof text, "; peak memory %+.1f MB (%.1f vs %.1f; goal <= +%.0f: %s)",
                      counter("extra"), counter("peak"), counter("baseline_peak"),
                      figure->goal.extraMegabytes, verdict(met));
        line += text;
    }
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

} // namespace vantrel::bench
