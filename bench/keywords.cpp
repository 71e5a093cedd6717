// The keyword controls on large lists.
//
// Keywords: n keywords in n/40 topics (20,000 in 500), added shuffled with AddTopics,
// shown with Refresh and a quarter of them ticked through SelectedKeywords; against a
// QTreeWidget doing the same with checkable items. 20,000 must cost at most 12 times
// 2,000, and velkKeywords must be at least 3 times faster than the tree widget.
// Each iteration takes the next of several shufflings of the same keywords. Filling one
// order again and again lets the processor learn the branches of sorting 2,000 keywords
// (not of 20,000), which makes the small list look up to a fifth cheaper than a list in
// an order it has not seen.
//
// Keyword bar: one pick from the popup list among n keywords with learned counts (count,
// rank, lay out, store the counts); against std::stable_sort of the same records alone.
// 10,000 must cost at most 12 times 1,000.

#include "RatioReporter.h"

#include <velk/editors/velkKeyword.h>
#include <velk/editors/velkKeywords.h>
#include <velk/platform/SettingsStore.h>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHash>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <algorithm>
#include <map>
#include <random>

namespace {

struct KeywordSet
{
    std::vector<QStringList> orders; // shufflings of the "topic=keyword" entries
    std::vector<QString> joined;     // each order joined with ","
    QStringList ticked;              // every fourth entry
};

constexpr size_t kOrders = 16;

const KeywordSet &keywordSet(int n)
{
    static std::map<int, KeywordSet> sets;
    KeywordSet &set = sets[n];
    if (set.orders.empty()) {
        const int topics = std::max(1, n / 40);
        QStringList entries;
        for (int i = 0; i < n; ++i)
            entries << QStringLiteral("Thema %1=Keyword %2").arg(i % topics, 3, 10, QLatin1Char('0')).arg(i);
        std::mt19937 random(42);
        for (size_t k = 0; k < kOrders; ++k) {
            std::shuffle(entries.begin(), entries.end(), random);
            set.orders.push_back(entries);
            set.joined.push_back(entries.join(u','));
        }
        for (int i = 0; i < n; i += 4)
            set.ticked << set.orders.front()[i];
    }
    return set;
}

void BM_velkKeywords_Fill(benchmark::State &state)
{
    const KeywordSet &set = keywordSet(int(state.range(0)));
    const QString ticked = set.ticked.join(u';');
    velk::velkKeywords keywords;
    size_t k = 0;
    for (auto _ : state) {
        keywords.Clear();
        keywords.AddTopics(set.joined[k++ % kOrders]);
        keywords.Refresh();
        keywords.setSelectedKeywords(ticked);
    }
    state.SetComplexityN(state.range(0));
}

void BM_QTreeWidget_Fill(benchmark::State &state)
{
    const KeywordSet &set = keywordSet(int(state.range(0)));
    size_t k = 0;
    for (auto _ : state) {
        QTreeWidget tree;
        QStringList sorted = set.orders[k++ % kOrders];
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const QString &a, const QString &b) { return a.toLower() < b.toLower(); });
        QHash<QString, QTreeWidgetItem *> byEntry;
        QTreeWidgetItem *topicItem = nullptr;
        QString topic;
        for (const QString &entry : sorted) {
            const qsizetype eq = entry.indexOf(u'=');
            if (!topicItem || entry.left(eq) != topic) {
                topic = entry.left(eq);
                topicItem = new QTreeWidgetItem(&tree, QStringList{topic});
                topicItem->setExpanded(true);
            }
            auto *item = new QTreeWidgetItem(topicItem, QStringList{entry.mid(eq + 1)});
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(0, Qt::Unchecked);
            byEntry.insert(entry, item);
        }
        for (const QString &entry : set.ticked)
            byEntry.value(entry)->setCheckState(0, Qt::Checked);
        benchmark::DoNotOptimize(tree.topLevelItemCount());
    }
    state.SetComplexityN(state.range(0));
}

// The learned counts of n keywords, stored under a temporary settings folder.
void learn(velk::velkKeyword &bar, int n)
{
    QStringList stored;
    for (int i = 0; i < n; ++i)
        stored << QStringLiteral("%1,%2,Keyword %3").arg(i % 97).arg(i % 13).arg(i);
    const QString key = QStringLiteral("Software\\velk\\Bench%1").arg(n);
    velk::SettingsStore::instance().writeValue(1, key, QStringLiteral("Keywords"), velk::SettingsValue::fromStrings(stored));
    bar.setKeywordsRegistry(key + QStringLiteral("\\Keywords"));
    for (int i = 0; i < n; ++i)
        bar.AddItem(QStringLiteral("Keyword %1").arg(i));
    bar.Refresh();
}

void BM_velkKeyword_PopupPick(benchmark::State &state)
{
    const int n = int(state.range(0));
    velk::velkKeyword bar;
    learn(bar, n);
    int i = 0;
    for (auto _ : state)
        bar.PickKeyword(1 + (i++ * 7919) % n, true);
    state.SetComplexityN(n);
}

void BM_std_stable_sort(benchmark::State &state)
{
    const int n = int(state.range(0));
    std::vector<std::shared_ptr<velk::velkKeywordData>> records;
    for (int i = 0; i < n; ++i) {
        auto data = std::make_shared<velk::velkKeywordData>();
        data->Text = QStringLiteral("Keyword %1").arg(i);
        data->Clicks = i % 97;
        data->ClicksOther = i % 13;
        records.push_back(data);
    }
    std::mt19937 random(7);
    for (auto _ : state) {
        records[random() % size_t(n)]->Clicks += 1;
        std::stable_sort(records.begin(), records.end(),
                         [](const auto &a, const auto &b) { return a->Ranking() > b->Ranking(); });
    }
    state.SetComplexityN(n);
}

} // namespace

BENCHMARK(BM_velkKeywords_Fill)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QTreeWidget_Fill)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_velkKeyword_PopupPick)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_std_stable_sort)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settings;
    qputenv("VELK_CONFIG_DIR", settings.path().toLocal8Bit());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nCPU time ratios (below 1: the first is faster):\n");
    reporter.printRatio("BM_velkKeywords_Fill/20000", "BM_velkKeywords_Fill/2000", 12.0);
    reporter.printRatio("BM_QTreeWidget_Fill/20000", "BM_QTreeWidget_Fill/2000", 12.0);
    reporter.printRatio("BM_velkKeywords_Fill/20000", "BM_QTreeWidget_Fill/20000", 1.0 / 3.0);
    reporter.printRatio("BM_velkKeyword_PopupPick/10000", "BM_velkKeyword_PopupPick/1000", 12.0);
    // No bar here: the pick also lays the bar out and writes the counts to the settings file.
    for (const char *n : {"1000", "10000"}) {
        const auto pick = reporter.times.find(std::string("BM_velkKeyword_PopupPick/") + n);
        const auto sort = reporter.times.find(std::string("BM_std_stable_sort/") + n);
        if (pick != reporter.times.end() && sort != reporter.times.end())
            std::printf("popup pick / std::stable_sort of %s records = %.1f\n", n, pick->second / sort->second);
    }
    benchmark::Shutdown();
    return 0;
}
