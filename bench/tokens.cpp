// Taking a definition string apart field by field: GetToken consumes the front of the
// string, so a loop over N fields must cost O(N), like one QString::split over the same
// text. The escape and list helpers are measured the same way.

#include <velk/common/StringHelpers.h>

#include <benchmark/benchmark.h>

using namespace velk;

namespace {

QString definition(int fields)
{
    QString s;
    s.reserve(fields * 8);
    for (int i = 0; i < fields; ++i) {
        s += QStringLiteral("f");
        s += QString::number(i);
        s += u',';
    }
    return s;
}

void BM_GetTokenLoop(benchmark::State &state)
{
    const QString text = definition(int(state.range(0)));
    const QString sep = QStringLiteral(",");
    for (auto _ : state) {
        QString rest = text;
        qsizetype total = 0;
        while (!rest.isEmpty())
            total += GetToken(rest, sep).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetComplexityN(state.range(0));
}

// The same with blanks around every field, trimmed off as the fields are taken.
void BM_GetTokenTrimLoop(benchmark::State &state)
{
    const QString text = definition(int(state.range(0))).replace(u',', QStringLiteral("  ,  "));
    const QString sep = QStringLiteral(",");
    for (auto _ : state) {
        QString rest = text;
        qsizetype total = 0;
        while (!rest.isEmpty())
            total += GetTokenTrim(rest, sep).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetComplexityN(state.range(0));
}

void BM_QStringSplit(benchmark::State &state)
{
    const QString text = definition(int(state.range(0)));
    for (auto _ : state) {
        qsizetype total = 0;
        for (const QString &field : text.split(u','))
            total += field.size();
        benchmark::DoNotOptimize(total);
    }
    state.SetComplexityN(state.range(0));
}

void BM_ReplaceTextGrowing(benchmark::State &state)
{
    const QString text = QString(state.range(0), u'a');
    for (auto _ : state) {
        QString s = text;
        ReplaceText(s, QStringLiteral("a"), QStringLiteral("aa"));
        benchmark::DoNotOptimize(s);
    }
    state.SetComplexityN(state.range(0));
}

// N units of "Zeile|a\b=c" plus a line end: a text where most characters need escaping.
QString escapable(qint64 units)
{
    QString text;
    for (qint64 i = 0; i < units; ++i)
        text += QStringLiteral("Zeile|a\\b=c\r\n");
    return text;
}

void BM_EscapeText(benchmark::State &state)
{
    const QString text = escapable(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(EscapeText(text, QStringLiteral("=")));
    state.SetComplexityN(state.range(0));
}

void BM_UnescapeText(benchmark::State &state)
{
    const QString text = EscapeText(escapable(state.range(0)), QStringLiteral("="));
    for (auto _ : state)
        benchmark::DoNotOptimize(UnescapeText(text));
    state.SetComplexityN(state.range(0));
}

void BM_GetListValueLastKey(benchmark::State &state)
{
    QString list;
    for (int i = 0; i < state.range(0); ++i)
        list += QStringLiteral("k%1=v\\|%1|").arg(i);
    const QString key = QStringLiteral("k%1").arg(state.range(0) - 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(GetListValue(list, key));
    state.SetComplexityN(state.range(0));
}

} // namespace

BENCHMARK(BM_GetTokenLoop)->RangeMultiplier(10)->Range(100, 100000)->Complexity(benchmark::oN);
BENCHMARK(BM_GetTokenTrimLoop)->RangeMultiplier(10)->Range(100, 100000)->Complexity(benchmark::oN);
BENCHMARK(BM_QStringSplit)->RangeMultiplier(10)->Range(100, 100000)->Complexity(benchmark::oN);
BENCHMARK(BM_ReplaceTextGrowing)->RangeMultiplier(10)->Range(100, 100000)->Complexity(benchmark::oN);
BENCHMARK(BM_EscapeText)->RangeMultiplier(10)->Range(100, 100000)->Complexity(benchmark::oN);
BENCHMARK(BM_UnescapeText)->RangeMultiplier(10)->Range(100, 100000)->Complexity(benchmark::oN);
BENCHMARK(BM_GetListValueLastKey)->RangeMultiplier(10)->Range(100, 100000)->Complexity(benchmark::oN);

BENCHMARK_MAIN();
