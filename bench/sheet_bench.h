#pragma once

// Shared by the sheet benchmarks: an offscreen application with its own settings folder,
// heap measurement, generated rows, and a reporter that prints how many times slower
// each peer is than the sheet on the same size.

#include <QApplication>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace sheetbench {

/// Bytes in use on the heap (small blocks and mapped ones).
inline size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

/// A German amount "1.234,50" for `value` cents.
inline QString germanAmount(long long cents)
{
    QString whole = QString::number(cents / 100);
    for (qsizetype at = whole.size() - 3; at > 0; at -= 3)
        whole.insert(at, u'.');
    return whole + u',' + QString::number(cents % 100).rightJustified(2, u'0');
}

/// `n` rows of three cells: a name, a text and an amount, in random order.
inline std::vector<QStringList> makeCells(int n, unsigned seed = 1)
{
    std::mt19937 random(seed);
    std::vector<QStringList> rows;
    rows.reserve(size_t(n));
    for (int i = 0; i < n; ++i) {
        const unsigned r = random();
        rows.push_back({QStringLiteral("Zeile %1").arg(r % 1000000), QStringLiteral("Text %1").arg(i % 997),
                        germanAmount((long long)(r % 100000000))});
    }
    return rows;
}

/// The same rows as tab-separated lines.
inline std::vector<QString> joined(const std::vector<QStringList> &cells)
{
    std::vector<QString> lines;
    lines.reserve(cells.size());
    for (const QStringList &c : cells)
        lines.push_back(c.join(u'\t'));
    return lines;
}

/// Growth of one benchmark between two of its arguments: time at `large` / time at `small`.
struct Scale
{
    std::string name;
    std::string small;
    std::string large;
};

/// Prints, after the usual table, peer CPU time / sheet CPU time (the machine may be
/// shared, which disturbs wall time more) for every pair of benchmarks
/// whose names are `ours` and `peer` with the same argument, and the asked-for growths.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    explicit RatioReporter(std::vector<std::pair<std::string, std::string>> pairs, std::vector<Scale> scales = {})
        : ConsoleReporter(OO_Tabular), m_pairs(std::move(pairs)), m_scales(std::move(scales))
    {
    }

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Iteration)
                m_times[run.benchmark_name()] = run.GetAdjustedCPUTime();
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\nratios (peer CPU time / sheet CPU time):\n");
        for (const auto &[ours, peer] : m_pairs) {
            for (const auto &[name, time] : m_times) {
                if (name.rfind(ours + "/", 0) != 0)
                    continue;
                const std::string arg = name.substr(ours.size());
                const auto other = m_times.find(peer + arg);
                if (other != m_times.end() && time > 0)
                    std::printf("  %-40s %8.2fx  (%s)\n", (peer + arg).c_str(), other->second / time, ours.c_str());
            }
        }
        if (m_scales.empty())
            return;
        std::printf("\ngrowth (CPU time at the larger size / at the smaller):\n");
        for (const Scale &scale : m_scales) {
            const auto small = m_times.find(scale.name + "/" + scale.small);
            const auto large = m_times.find(scale.name + "/" + scale.large);
            if (small != m_times.end() && large != m_times.end() && small->second > 0)
                std::printf("  %-40s %8.2fx  (%s -> %s)\n", scale.name.c_str(), large->second / small->second,
                            scale.small.c_str(), scale.large.c_str());
        }
    }

private:
    std::vector<std::pair<std::string, std::string>> m_pairs;
    std::vector<Scale> m_scales;
    std::map<std::string, double> m_times;
};

/// Runs the registered benchmarks inside an offscreen application whose settings live in
/// a temporary folder.
inline int run(int argc, char **argv, std::vector<std::pair<std::string, std::string>> pairs,
               std::vector<Scale> scales = {})
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settings;
    qputenv("VELK_CONFIG_DIR", settings.path().toLocal8Bit());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(std::move(pairs), std::move(scales));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

} // namespace sheetbench
