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
        sqlite3_exec(db, "CREATE TABLE Belege (Nr INTEGER, Kunde VARCHAR(40), Betrag DOUBLE, Datum DATE, Notiz TEXT);"
                         "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt *insert = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO Belege VALUES (?, ?, ?, ?, ?)", -1, &insert, nullptr);
        for (int i = 0; i < kRows; ++i) {
            const QByteArray customer = "Kunde " + QByteArray::number(i % 977);
            const QByteArray date = QStringLiteral("20%1-%2-%3").arg(10 + i % 15).arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                                        .arg(1 + i % 28, 2, 10, QLatin1Char('0')).toUtf8();
            const QByteArray note = "Beleg Nummer " + QByteArray::number(i) + " abgelegt";
            sqlite3_bind_int(insert, 1, i);
            sqlite3_bind_text(insert, 2, customer.constData(), int(customer.size()), SQLITE_TRANSIENT);
            sqlite3_bind_double(insert, 3, (i % 10000) / 4.0);
            sqlite3_bind_text(insert, 4, date.constData(), int(date.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 5, note.constData(), int(note.size()), SQLITE_TRANSIENT);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
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
