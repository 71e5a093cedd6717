// SqlDialect::translate grows linearly with the text (10^3 to 10^6 characters of the
// views' SQL), beside one QString pass over the same text (toUpper).

#include <velk/platform/SqlDialect_p.h>

#include <benchmark/benchmark.h>

namespace {

QString sqlOfLength(qsizetype n)
{
    const QString piece = QStringLiteral(
        "SELECT Year([Datum])*12+Month([Datum]) As Wert, SUM(Betrag) As Daten1 FROM Belege WHERE (Kunde = 'O''Brien #1/2/2024#') "
        "AND Datum>=#01/01/2024# AND Datum<=#12/31/2024# OR ");
    QString sql;
    sql.reserve(n + piece.size() + 40);
    while (sql.size() < n)
        sql += piece;
    return sql + QStringLiteral("1=1 GROUP BY Year([Datum])*12+Month([Datum])");
}

void BM_SqlDialectTranslate(benchmark::State &state)
{
    const QString sql = sqlOfLength(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(velk::SqlDialect::translate(sql, velk::SqlDialect::Flavor::Standard));
    state.SetComplexityN(state.range(0));
}

void BM_QStringToUpper(benchmark::State &state)
{
    const QString sql = sqlOfLength(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(sql.toUpper());
    state.SetComplexityN(state.range(0));
}

} // namespace

BENCHMARK(BM_SqlDialectTranslate)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity(benchmark::oN);
BENCHMARK(BM_QStringToUpper)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity(benchmark::oN);

BENCHMARK_MAIN();
