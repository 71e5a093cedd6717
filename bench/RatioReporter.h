#pragma once

// A console reporter that keeps each run's CPU time, so that a benchmark's main can print
// our times beside the peer's.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

// Ratios of CPU time: on a machine shared with other work, wall-clock times mostly measure
// the neighbours.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            // With --benchmark_repetitions the mean stands for the repetitions.
            const bool isMean = run.run_type == Run::RT_Aggregate && run.aggregate_name == "mean";
            if (isMean || (run.run_type == Run::RT_Iteration && run.iterations > 0 && !times.count(key(run))))
                times[key(run)] = run.GetAdjustedCPUTime();
        }
    }

    void printRatio(const std::string &ours, const std::string &peer, double limit) const
    {
        const auto a = times.find(ours);
        const auto b = times.find(peer);
        if (a == times.end() || b == times.end())
            return;
        const double ratio = a->second / b->second;
        std::printf("%-34s / %-34s = %.2f  (limit %.2f: %s)\n", ours.c_str(), peer.c_str(), ratio, limit,
                    ratio <= limit ? "holds" : "MISSED");
    }

    static std::string key(const Run &run)
    {
        return run.run_name.function_name + (run.run_name.args.empty() ? "" : "/" + run.run_name.args);
    }

    std::map<std::string, double> times;
};
