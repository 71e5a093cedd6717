// The SQLite record loop of DataRecordset (every field read with GetValue by name) beside
// the C API it runs on, stepping and taking column_text into vectors of QString, and beside
// Qt SQL's SQLite driver doing the same. 400,000 rows of 5 fields.

#include <velk/platform/DataConnection.h>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <vector>

#include "sqlite_receipts.h"

namespace {

constexpr int kRows = 400000;
const char *const kQuery = "SELECT Nr, Kunde, Betrag, Datum, Notiz FROM Belege";

struct Archive
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("bench.sqlite"));

    Archive()
    {
        sqlite3 *db = nullptr;
        sqlite3_open(path.toUtf8().constData(), &db);
        fillReceipts(db, "Belege", kRows);
        sqlite3_close(db);
    }
};

Archive &archive()
{
    static Archive a;
    return a;
}

struct Columns
{
    std::vector<QString> v[5];
    void reserve()
    {
        for (auto &c : v)
            c.reserve(kRows);
    }
};

void BM_DataRecordsetGetValue(benchmark::State &state)
{
    velk::DataConnection db;
    db.Open(QStringLiteral("sqlite"), archive().path);
    const QString names[] = {QStringLiteral("Nr"), QStringLiteral("Kunde"), QStringLiteral("Betrag"),
                             QStringLiteral("Datum"), QStringLiteral("Notiz")};
    for (auto _ : state) {
        Columns out;
        out.reserve();
        std::unique_ptr<velk::DataRecordset> rs;
        db.OpenRecordset(QString::fromUtf8(kQuery), 2, rs);
        if (rs->RecordCount() != 0) {
            for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
                for (int i = 0; i < 5; ++i)
                    out.v[i].push_back(rs->GetValue(names[i]));
            }
        }
        benchmark::DoNotOptimize(out.v[4].size());
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_SqliteStepColumnText(benchmark::State &state)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(archive().path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    for (auto _ : state) {
        Columns out;
        out.reserve();
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, kQuery, -1, &stmt, nullptr);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int i = 0; i < 5; ++i) {
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, i));
                out.v[i].push_back(QString::fromUtf8(text, sqlite3_column_bytes(stmt, i)));
            }
        }
        sqlite3_finalize(stmt);
        benchmark::DoNotOptimize(out.v[4].size());
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_QtSqlSqliteValue(benchmark::State &state)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
        db.setDatabaseName(archive().path);
        db.open();
        for (auto _ : state) {
            Columns out;
            out.reserve();
            QSqlQuery q(db);
            q.setForwardOnly(true);
            q.exec(QString::fromUtf8(kQuery));
            while (q.next()) {
                for (int i = 0; i < 5; ++i)
                    out.v[i].push_back(q.value(i).toString());
            }
            benchmark::DoNotOptimize(out.v[4].size());
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));
    state.SetItemsProcessed(state.iterations() * kRows);
}

} // namespace

BENCHMARK(BM_DataRecordsetGetValue)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_SqliteStepColumnText)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_QtSqlSqliteValue)->Unit(benchmark::kMillisecond)->MinTime(2);

BENCHMARK_MAIN();
