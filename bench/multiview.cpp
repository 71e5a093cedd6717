// The multi view's GridDatabase (SQLite through the data access layer into the sheet)
// beside QSqlQueryModel fetching every row of the same query, at growing row counts up to
// 100,000 rows of 5 fields, so that both the ratio and linear growth show.

#include "RatioReporter.h"

#include <velk/sheet/velkSheet.h>
#include <velk/views/velkMultiView.h>

#include <QApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include "sqlite_receipts.h"

namespace {

constexpr int kMaxRows = 100000;

struct Archive
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("grid.sqlite"));

    Archive()
    {
        sqlite3 *db = nullptr;
        sqlite3_open(path.toUtf8().constData(), &db);
        fillReceipts(db, "Grid", kMaxRows);
        sqlite3_close(db);
    }
};

Archive &archive()
{
    static Archive a;
    return a;
}

QString sqlFor(const benchmark::State &state)
{
    return QStringLiteral("SELECT Nr, Kunde, Betrag, Datum, Notiz FROM Grid LIMIT %1").arg(state.range(0));
}

void BM_MultiView_GridDatabase(benchmark::State &state)
{
    velk::velkMultiView view;
    view.resize(800, 600);
    view.Show(QStringLiteral("Table"));
    const QString sql = sqlFor(state);
    for (auto _ : state) {
        view.GridDatabase(archive().path, sql);
        benchmark::DoNotOptimize(view.SheetCount());
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_QSqlQueryModel_FetchAll(benchmark::State &state)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
        db.setDatabaseName(archive().path);
        db.open();
        const QString sql = sqlFor(state);
        for (auto _ : state) {
            QSqlQueryModel model;
            model.setQuery(sql, db);
            while (model.canFetchMore())
                model.fetchMore();
            benchmark::DoNotOptimize(model.rowCount());
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_MultiView_GridDatabase)->RangeMultiplier(2)->Range(12500, kMaxRows)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QSqlQueryModel_FetchAll)->RangeMultiplier(2)->Range(12500, kMaxRows)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    archive(); // made before the runs, not inside one
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nCPU time ratios (below 1: ours is faster):\n");
    reporter.printRatio("BM_MultiView_GridDatabase/100000", "BM_QSqlQueryModel_FetchAll/100000", 1.5);
    // Linear growth: 8 times the rows cost at most about 8 times as much (10 allows noise).
    reporter.printRatio("BM_MultiView_GridDatabase/100000", "BM_MultiView_GridDatabase/12500", 10.0);
    benchmark::Shutdown();
    return 0;
}
