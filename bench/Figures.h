#pragma once

#include <functional>
#include <string>

// A figure of the benchmark: one thing a user waits for, measured in pairs of runs against
// a baseline that does the least the toolkit needs for the same result. Each pair runs side
// by side, so that load on the machine hits both sides alike; the figure is the median
// over the pairs of the ratio between them.
namespace vantrel::bench {

struct Sample
{
    double seconds = 0;
    double peakMegabytes = 0;     // set where the figure watches memory
    std::string error;            // set when the run failed
    double peakRiseMegabytes = 0; // set where it watches how far memory rises during the run
};

struct Goal
{
    double ratio = 0;             // at most this many times the baseline; 0 for none
    double extraMegabytes = 0;    // peak memory at most this far above the baseline's
    double peakRiseMegabytes = 0; // peak memory during the run at most this far above before
};

struct Figure
{
    std::string name;
    std::string subjectName;
    std::string baselineName;
    Goal goal;
    int pairs = 5;
    std::function<Sample()> subject;
    std::function<Sample()> baseline;
};

void addFigure(Figure figure);
const Figure* findFigure(const std::string& name);
void removeFigures();

// The seconds that work takes.
double secondsOf(const std::function<void()>& work);

// How far this process's resident memory rises above what it was before, at its peak while
// work runs, in MB.
double peakRiseOf(const std::function<void()>& work);

} // namespace vantrel::bench
