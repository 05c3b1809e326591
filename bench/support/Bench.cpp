#include "bench/support/Bench.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

BenchOptions ParseBenchOptions(int argc, char** argv)
{
    BenchOptions options;
    for (int n = 1; n < argc; ++n) {
        if (std::strcmp(argv[n], "--quick") == 0)
            options.bQuick = true;
        else if (std::strcmp(argv[n], "--repetitions") == 0 && n + 1 < argc)
            options.nRepetitions = std::max(1, std::atoi(argv[++n]));
    }
    return options;
}

double SecondsOf(const std::function<void()>& work)
{
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t nMiddle = values.size() / 2;
    return values.size() % 2 ? values[nMiddle] : (values[nMiddle - 1] + values[nMiddle]) / 2;
}

double MedianSeconds(int nRepetitions, const std::function<void()>& prepare,
                     const std::function<void()>& work)
{
    std::vector<double> seconds;
    for (int n = 0; n < nRepetitions; ++n) {
        prepare();
        seconds.push_back(SecondsOf(work));
    }
    return Median(seconds);
}

void ReportRatio(const std::string& strScenario, const std::string& strWhat, double dSubject,
                 double dBaseline, double dTarget)
{
    const double dRatio = dBaseline > 0 ? dSubject / dBaseline : 0;
    std::printf("RESULT\t%s\t%s\t%.4f\t%.4f\t%.3f\t%.2f\n", strScenario.c_str(), strWhat.c_str(),
                dSubject, dBaseline, dRatio, dTarget);
    std::fflush(stdout);
}

void ReportNote(const std::string& strScenario, const std::string& strText)
{
    std::printf("NOTE\t%s\t%s\n", strScenario.c_str(), strText.c_str());
    std::fflush(stdout);
}

size_t PeakPrivateBytes()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters)))
        return 0;
    return counters.PeakPagefileUsage;
}
