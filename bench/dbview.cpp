// The DB view's reports beside the same work done by hand: the flat list (400,000 rows of
// 5 fields, SQLite into the sheet) against a raw sqlite3 fetch of the same query into
// vectors; grouped reports over 1,000,000 rows (by a text field and by month) against the
// translated SQL through the C API; the export of the 400,000-row list against one
// QFile::write of the same bytes. With VELK_BENCH_PG set to a libpq connection text (the
// cluster of tests/data/pg_cluster.sh: "host=<socket folder> dbname=postgres user=velk"),
// the flat list also runs on PostgreSQL beside a forward-only QSqlQuery on QPSQL and libpq.

#include "RatioReporter.h"

#include <velk/platform/DataConnection.h>
#include <velk/platform/SqlDialect_p.h>
#include <velk/sheet/velkSheet.h>
#include <velk/views/DBViewQuery_p.h>
#include <velk/views/velkDBView.h>
#include <velk/views/velkDBView_p.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <sqlite3.h>

#include <vector>

#include "sqlite_receipts.h"

namespace {

constexpr int kFlatRows = 400000;
constexpr int kGroupRows = 1000000;

struct Archive
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("bench.sqlite"));

    Archive()
    {
        sqlite3 *db = nullptr;
        sqlite3_open(path.toUtf8().constData(), &db);
        fillReceipts(db, "Flat", kFlatRows);
        fillReceipts(db, "Big", kGroupRows);
        sqlite3_close(db);
    }
};

Archive &archive()
{
    static Archive a;
    return a;
}

void setUp(velk::velkDBView &view, const char *table, const char *grouping)
{
    view.resize(800, 600);
    view.setDatabase(QStringLiteral("sqlite://") + archive().path);
    view.setTable(QString::fromLatin1(table));
    view.setFieldCount(5);
    for (const char *name : {"Nr", "Kunde", "Betrag", "Datum", "Notiz"})
        view.FieldAdd(QString::fromLatin1(name), 1200, QString::fromLatin1(name), false, QString());
    view.setDatacount(2);
    view.DataAdd(QStringLiteral("Summe"), QStringLiteral("SUM(Betrag)"), QStringLiteral("#,##0.00"));
    view.DataAdd(QStringLiteral("Anzahl"), QStringLiteral("COUNT(*)"), QStringLiteral("#"));
    view.SelectionClear();
    if (grouping)
        view.SelectionAdd(QStringLiteral("Gruppe"), QString::fromLatin1(grouping));
}

// Steps `sql` and keeps every column's text, as a report reader would.
size_t fetchAll(sqlite3 *db, const QByteArray &sql, int columns)
{
    std::vector<std::vector<QString>> out(static_cast<size_t>(columns));
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int i = 0; i < columns; ++i) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, i));
            out[size_t(i)].push_back(QString::fromUtf8(text, sqlite3_column_bytes(stmt, i)));
        }
    }
    sqlite3_finalize(stmt);
    return out[0].size();
}

void BM_DBView_FlatList(benchmark::State &state)
{
    velk::velkDBView view;
    setUp(view, "Flat", nullptr);
    for (auto _ : state) {
        view.Refresh();
        benchmark::DoNotOptimize(view.GetSheet()->Count());
    }
    state.SetItemsProcessed(state.iterations() * kFlatRows);
}

void BM_Sqlite_FlatFetch(benchmark::State &state)
{
    velk::velkDBView view;
    setUp(view, "Flat", nullptr);
    auto &query = velk::velkDBViewAccess::query(view);
    const QByteArray sql =
        velk::SqlDialect::translate(query.flatSql(query.where()), velk::SqlDialect::Flavor::Sqlite).sql.toUtf8();
    sqlite3 *db = nullptr;
    sqlite3_open_v2(archive().path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    for (auto _ : state)
        benchmark::DoNotOptimize(fetchAll(db, sql, 5));
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * kFlatRows);
}

const char *grouping(const benchmark::State &state)
{
    return state.range(0) == 0 ? "Kunde" : "#MONTH(Datum)";
}

void BM_DBView_Grouped(benchmark::State &state)
{
    velk::velkDBView view;
    setUp(view, "Big", grouping(state));
    for (auto _ : state) {
        view.Refresh();
        benchmark::DoNotOptimize(view.GetSheet()->Count());
    }
    state.SetItemsProcessed(state.iterations() * kGroupRows);
}

void BM_Sqlite_Grouped(benchmark::State &state)
{
    velk::velkDBView view;
    setUp(view, "Big", grouping(state));
    auto &query = velk::velkDBViewAccess::query(view);
    const QByteArray sql = velk::SqlDialect::translate(query.groupedSql(query.where(), query.groupExpression(1)),
                                                       velk::SqlDialect::Flavor::Sqlite)
                               .sql.toUtf8();
    sqlite3 *db = nullptr;
    sqlite3_open_v2(archive().path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    for (auto _ : state)
        benchmark::DoNotOptimize(fetchAll(db, sql, 3));
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * kGroupRows);
}

struct ExportFixture
{
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("liste.csv"));
    velk::velkDBView view;
    ExportFixture()
    {
        setUp(view, "Flat", nullptr);
        view.Refresh();
    }
};

ExportFixture &exportFixture()
{
    static ExportFixture f;
    return f;
}

void BM_DBView_ExportExcel(benchmark::State &state)
{
    ExportFixture &f = exportFixture();
    for (auto _ : state)
        f.view.ExportExcel(f.file);
    state.SetBytesProcessed(state.iterations() * QFileInfo(f.file).size());
}

void BM_QFile_Write(benchmark::State &state)
{
    ExportFixture &f = exportFixture();
    f.view.ExportExcel(f.file);
    QFile in(f.file);
    in.open(QIODevice::ReadOnly);
    const QByteArray bytes = in.readAll();
    const QString copy = f.dir.filePath(QStringLiteral("kopie.csv"));
    for (auto _ : state) {
        QFile out(copy);
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        out.write(bytes);
        out.close();
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

// PostgreSQL: the same 400,000 rows in a table made by the server itself.
QString pgConnection()
{
    return qEnvironmentVariable("VELK_BENCH_PG");
}

const char *const kPgTable = "velk_bench_flat";

void fillPostgres()
{
    velk::DataConnection db;
    if (!db.Open(QStringLiteral("psql"), pgConnection()))
        return;
    std::unique_ptr<velk::DataRecordset> rs;
    db.OpenRecordset(QStringLiteral("DROP TABLE IF EXISTS velk_bench_flat"), 2, rs);
    db.OpenRecordset(QStringLiteral(
                         "CREATE TABLE velk_bench_flat AS SELECT i AS Nr, 'Kunde ' || (i % 977) AS Kunde, "
                         "CAST((i % 10000) / 4.0 - 500 AS DOUBLE PRECISION) AS Betrag, DATE '2010-01-01' + (i % 5000) AS Datum, "
                         "'Beleg Nummer ' || i || ' abgelegt' AS Notiz FROM generate_series(0, %1) AS i")
                         .arg(kFlatRows - 1),
                     2, rs);
}

QString pgValue(const QString &key)
{
    for (const QString &part : pgConnection().split(u' ', Qt::SkipEmptyParts))
        if (part.startsWith(key + u'='))
            return part.mid(key.size() + 1);
    return {};
}

void BM_DBView_FlatListPg(benchmark::State &state)
{
    velk::velkDBView view;
    setUp(view, kPgTable, nullptr);
    view.setDatabase(QStringLiteral("psql://") + pgConnection());
    view.setFieldCount(5);
    for (const char *name : {"Nr", "Kunde", "Betrag", "Datum", "Notiz"})
        view.FieldAdd(QString::fromLatin1(name), 1200, QString::fromLatin1(name), false, QString());
    for (auto _ : state) {
        view.Refresh();
        benchmark::DoNotOptimize(view.GetSheet()->Count());
    }
    state.SetItemsProcessed(state.iterations() * kFlatRows);
}

void BM_QtPsql_Forward(benchmark::State &state)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("bench"));
        db.setHostName(pgValue(QStringLiteral("host")));
        db.setDatabaseName(pgValue(QStringLiteral("dbname")));
        db.setUserName(pgValue(QStringLiteral("user")));
        db.open();
        for (auto _ : state) {
            std::vector<QString> out[5];
            QSqlQuery q(db);
            q.setForwardOnly(true);
            q.exec(QStringLiteral("SELECT Nr,Kunde,Betrag,Datum,Notiz FROM velk_bench_flat "));
            while (q.next())
                for (int i = 0; i < 5; ++i)
                    out[i].push_back(q.value(i).toString());
            benchmark::DoNotOptimize(out[4].size());
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));
    state.SetItemsProcessed(state.iterations() * kFlatRows);
}

void BM_Libpq_Fetch(benchmark::State &state)
{
    PGconn *conn = PQconnectdb(pgConnection().toUtf8().constData());
    for (auto _ : state) {
        std::vector<QString> out[5];
        PGresult *res = PQexec(conn, "SELECT Nr,Kunde,Betrag,Datum,Notiz FROM velk_bench_flat ");
        const int rows = PQntuples(res);
        for (int r = 0; r < rows; ++r)
            for (int i = 0; i < 5; ++i)
                out[i].push_back(QString::fromUtf8(PQgetvalue(res, r, i), PQgetlength(res, r, i)));
        PQclear(res);
        benchmark::DoNotOptimize(out[4].size());
    }
    PQfinish(conn);
    state.SetItemsProcessed(state.iterations() * kFlatRows);
}

} // namespace

BENCHMARK(BM_DBView_FlatList)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_Sqlite_FlatFetch)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_DBView_Grouped)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_Sqlite_Grouped)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_DBView_ExportExcel)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_QFile_Write)->Unit(benchmark::kMillisecond)->MinTime(2);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    archive(); // made before the runs, not inside one
    if (!pgConnection().isEmpty()) {
        fillPostgres();
        benchmark::RegisterBenchmark("BM_DBView_FlatListPg", BM_DBView_FlatListPg)->Unit(benchmark::kMillisecond)->MinTime(2);
        benchmark::RegisterBenchmark("BM_QtPsql_Forward", BM_QtPsql_Forward)->Unit(benchmark::kMillisecond)->MinTime(2);
        benchmark::RegisterBenchmark("BM_Libpq_Fetch", BM_Libpq_Fetch)->Unit(benchmark::kMillisecond)->MinTime(2);
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nCPU time ratios (below 1: ours is faster):\n");
    reporter.printRatio("BM_DBView_FlatList", "BM_Sqlite_FlatFetch", 1.5);
    reporter.printRatio("BM_DBView_Grouped/0", "BM_Sqlite_Grouped/0", 1.1);
    reporter.printRatio("BM_DBView_Grouped/1", "BM_Sqlite_Grouped/1", 1.1);
    reporter.printRatio("BM_DBView_FlatListPg", "BM_QtPsql_Forward", 1.5);
    if (reporter.times.count("BM_DBView_FlatListPg") && reporter.times.count("BM_Libpq_Fetch"))
        std::printf("%-34s / %-34s = %.2f  (reported, no limit)\n", "BM_DBView_FlatListPg", "BM_Libpq_Fetch",
                    reporter.times["BM_DBView_FlatListPg"] / reporter.times["BM_Libpq_Fetch"]);
    benchmark::Shutdown();
    return 0;
}
