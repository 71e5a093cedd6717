// Query paths over documents of growing size: the cost must grow with the number of
// elements visited, for plain steps, attribute and child filters, positions and climbs.

#include <velk/xml/StdXML.h>

#include <benchmark/benchmark.h>

#include <map>

using namespace velk;

namespace {

// A document with `elements` elements: ITEMs holding two FIELDs each.
const StdXML &document(int elements)
{
    static std::map<int, StdXML> cache;
    StdXML &doc = cache[elements];
    if (doc.Root)
        return doc;
    QString text = QStringLiteral("<DOC>");
    for (int i = 0; i * 3 < elements; ++i) {
        text += QStringLiteral("<ITEM id=\"%1\" typ=\"%2\"><FIELD key=\"a\">x</FIELD><FIELD key=\"b\"/></ITEM>")
                    .arg(i)
                    .arg(i % 10 == 0 ? QStringLiteral("x") : QStringLiteral("y"));
    }
    text += QStringLiteral("</DOC>");
    doc.LoadXML(text);
    return doc;
}

void runQuery(benchmark::State &state, const QString &path)
{
    const StdXML &doc = document(int(state.range(0)));
    int found = 0;
    for (auto _ : state) {
        found = doc.Query(path).Count();
        benchmark::DoNotOptimize(found);
    }
    state.counters["matches"] = found;
    state.SetComplexityN(state.range(0));
}

void Query_children(benchmark::State &state) { runQuery(state, QStringLiteral("DOC/ITEM/FIELD")); }
void Query_attributeFilter(benchmark::State &state) { runQuery(state, QStringLiteral("DOC/ITEM[@typ=x]/FIELD[@key=\"a\"]")); }
void Query_childFilter(benchmark::State &state) { runQuery(state, QStringLiteral("DOC/*[FIELD/@key=b]")); }
void Query_position(benchmark::State &state) { runQuery(state, QStringLiteral("DOC/ITEM/FIELD[1]")); }
void Query_climbing(benchmark::State &state) { runQuery(state, QStringLiteral("DOC/ITEM/../*/FIELD[../@typ=x]")); }

void QuerySingle_last(benchmark::State &state)
{
    const StdXML &doc = document(int(state.range(0)));
    const QString path = QStringLiteral("DOC/ITEM[@id=%1]").arg(state.range(0) / 3 - 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.QuerySingle(path));
    state.SetComplexityN(state.range(0));
}

void sizes(benchmark::internal::Benchmark *b)
{
    b->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMicrosecond)->Complexity(benchmark::oN);
}

} // namespace

BENCHMARK(Query_children)->Apply(sizes);
BENCHMARK(Query_attributeFilter)->Apply(sizes);
BENCHMARK(Query_childFilter)->Apply(sizes);
BENCHMARK(Query_position)->Apply(sizes);
BENCHMARK(Query_climbing)->Apply(sizes);
BENCHMARK(QuerySingle_last)->Apply(sizes);

BENCHMARK_MAIN();
