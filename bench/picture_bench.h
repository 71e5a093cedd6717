#pragma once

// Shared by the picture benchmarks: the 12-megapixel photo they work on and a reporter
// that prints each of our times beside its peer's.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QString>

#include <cstdio>
#include <map>
#include <string>

// A 4000 × 3000 crop of a photo from mate-backgrounds (installed by ./run bench), written
// once as a quality-90 JPEG into the temporary folder. Empty when the package is missing.
inline QString photo12MP()
{
    static const QString path = [] {
        const QString source = QStringLiteral("/usr/share/backgrounds/mate/abstract/Elephants_5640x3172.jpg");
        const QString target = QDir::temp().filePath(QStringLiteral("velk-bench-12mp.jpg"));
        if (QFileInfo::exists(target))
            return target;
        const QImage full(source);
        if (full.isNull())
            return QString();
        const QRect crop((full.width() - 4000) / 2, (full.height() - 3000) / 2, 4000, 3000);
        return full.copy(crop).save(target, "JPEG", 90) ? target : QString();
    }();
    return path;
}

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
