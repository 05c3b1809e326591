// Measuring a scenario against its baseline in the same run: several
// repetitions of each, the median reported. Every benchmark program prints
// its results as lines that scripts/bench gathers into one table:
//   RESULT <tab> scenario <tab> what <tab> subject s <tab> baseline s <tab> ratio <tab> target
// and may print other lines (sizes, notes), which the script shows as they are.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct BenchOptions {
    bool bQuick = false;     // "--quick": the scenario's small sizes
    int nRepetitions = 5;    // "--repetitions N"
};

BenchOptions ParseBenchOptions(int argc, char** argv);

// Wall-clock seconds that the work took.
double SecondsOf(const std::function<void()>& work);
double Median(std::vector<double> values);

// Runs prepare (not timed) and then work (timed) the given number of times;
// the median of the timed parts.
double MedianSeconds(int nRepetitions, const std::function<void()>& prepare,
                     const std::function<void()>& work);

// Prints the result line; the ratio is subject / baseline.
void ReportRatio(const std::string& strScenario, const std::string& strWhat, double dSubject,
                 double dBaseline, double dTarget);
// Prints a line of its own, for what is not a ratio (a memory peak, a size).
void ReportNote(const std::string& strScenario, const std::string& strText);

// The peak private memory of this process so far, in bytes.
size_t PeakPrivateBytes();
