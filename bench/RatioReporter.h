#pragma once

#include <benchmark/benchmark.h>

namespace vantrel::bench {

// Prints one line per figure: the median ratio against its baseline, the goal and whether
// it holds, the two medians behind the ratio and, where watched, the peak memory.
class RatioReporter : public benchmark::BenchmarkReporter
{
public:
    bool ReportContext(const Context&) override { return true; }
    void ReportRuns(const std::vector<Run>& runs) override;

    bool failed() const { return m_failed; }
    bool missedGoal() const { return m_missedGoal; }

private:
    void report(const Run& median);

    bool m_failed = false;
    bool m_missedGoal = false;
};

} // namespace vantrel::bench
