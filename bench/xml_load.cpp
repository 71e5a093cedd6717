// Reading and writing a large document: StdXML against pugixml and QDomDocument on the
// same text, each from its natural input (QString for the Qt-based ones, UTF-8 bytes for
// pugixml). Prints the ratios after the runs.

#include <velk/xml/StdXML.h>

#include <QCoreApplication>
#include <QDomDocument>

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <malloc.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

using namespace velk;

namespace {

// A layout-like document of about `megabytes` million characters: items with attributes,
// bodies with entities, and children two levels deep.
const QString &documentText(int megabytes)
{
    static std::map<int, QString> cache;
    QString &text = cache[megabytes];
    if (!text.isEmpty())
        return text;
    const qsizetype target = qsizetype(megabytes) * 1000 * 1000;
    text.reserve(target + 1000);
    text += QStringLiteral("<?xml version=\"1.0\"?>\r\n<DOC name=\"bench\">\r\n");
    for (int i = 0; text.size() < target; ++i) {
        const QString n = QString::number(i);
        text += QStringLiteral("   <ITEM id=\"") + n + QStringLiteral("\" name=\"Eintrag ") + n
              + QStringLiteral("\" typ=\"text\">\r\n      Inhalt &amp; Beschreibung ") + n
              + QStringLiteral("\r\n      <FIELD key=\"k") + n + QStringLiteral("\" value=\"a &lt; b\"/>\r\n")
              + QStringLiteral("      <FIELD key=\"w\">Wert &quot;") + n + QStringLiteral("&quot;</FIELD>\r\n")
              + QStringLiteral("      <ROWS>\r\n         <ROW nr=\"1\">eins</ROW>\r\n         <ROW nr=\"2\"/>\r\n")
              + QStringLiteral("      </ROWS>\r\n   </ITEM>\r\n");
    }
    text += QStringLiteral("</DOC>\r\n");
    return text;
}

const std::string &documentUtf8(int megabytes)
{
    static std::map<int, std::string> cache;
    std::string &bytes = cache[megabytes];
    if (bytes.empty())
        bytes = documentText(megabytes).toStdString();
    return bytes;
}

void setBytes(benchmark::State &state, qsizetype characters)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * characters);
}

size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The heap a loaded document holds, as a multiple of the document's size in UTF-8 (the
// size of its file). Measured once, outside the timed loop.
template<typename Load>
void reportHeldMemory(benchmark::State &state, Load load)
{
    const size_t before = heapInUse();
    const auto document = load();
    const double held = double(heapInUse() - before);
    state.counters["held_MB"] = held / 1e6;
    state.counters["held_x_doc"] = held / double(documentUtf8(int(state.range(0))).size());
}

void StdXML_LoadXML(benchmark::State &state)
{
    const QString &text = documentText(int(state.range(0)));
    for (auto _ : state) {
        StdXML doc;
        benchmark::DoNotOptimize(doc.LoadXML(text));
    }
    setBytes(state, text.size());
    state.SetComplexityN(state.range(0));
    reportHeldMemory(state, [&] {
        auto doc = std::make_unique<StdXML>();
        doc->LoadXML(text);
        return doc;
    });
}

void pugixml_load(benchmark::State &state)
{
    const std::string &bytes = documentUtf8(int(state.range(0)));
    for (auto _ : state) {
        pugi::xml_document doc;
        benchmark::DoNotOptimize(doc.load_buffer(bytes.data(), bytes.size()));
    }
    setBytes(state, qsizetype(bytes.size()));
    reportHeldMemory(state, [&] {
        auto doc = std::make_unique<pugi::xml_document>();
        doc->load_buffer(bytes.data(), bytes.size());
        return doc;
    });
}

void QDomDocument_setContent(benchmark::State &state)
{
    const QString &text = documentText(int(state.range(0)));
    for (auto _ : state) {
        QDomDocument doc;
        benchmark::DoNotOptimize(doc.setContent(text));
    }
    setBytes(state, text.size());
    reportHeldMemory(state, [&] {
        auto doc = std::make_unique<QDomDocument>();
        doc->setContent(text);
        return doc;
    });
}

void StdXML_xml(benchmark::State &state)
{
    StdXML doc;
    doc.LoadXML(documentText(int(state.range(0))));
    qsizetype written = 0;
    for (auto _ : state) {
        const QString out = doc.xml();
        written = out.size();
        benchmark::DoNotOptimize(out.constData());
    }
    setBytes(state, written);
    state.SetComplexityN(state.range(0));
}

struct StringWriter : pugi::xml_writer
{
    std::string out;
    void write(const void *data, size_t size) override { out.append(static_cast<const char *>(data), size); }
};

void pugixml_save(benchmark::State &state)
{
    pugi::xml_document doc;
    const std::string &bytes = documentUtf8(int(state.range(0)));
    doc.load_buffer(bytes.data(), bytes.size());
    size_t written = 0;
    for (auto _ : state) {
        StringWriter writer;
        doc.save(writer, "   ");
        written = writer.out.size();
        benchmark::DoNotOptimize(writer.out.data());
    }
    setBytes(state, qsizetype(written));
}

void QDomDocument_toString(benchmark::State &state)
{
    QDomDocument doc;
    doc.setContent(documentText(int(state.range(0))));
    qsizetype written = 0;
    for (auto _ : state) {
        const QString out = doc.toString(3);
        written = out.size();
        benchmark::DoNotOptimize(out.constData());
    }
    setBytes(state, written);
}

// Sizes in millions of characters; the 20 MB document is the one compared.
void sizes(benchmark::internal::Benchmark *b)
{
    b->Arg(5)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(StdXML_LoadXML)->Apply(sizes)->Complexity(benchmark::oN);
BENCHMARK(pugixml_load)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(QDomDocument_setContent)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(StdXML_xml)->Apply(sizes)->Complexity(benchmark::oN);
BENCHMARK(pugixml_save)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(QDomDocument_toString)->Arg(20)->Unit(benchmark::kMillisecond);

namespace {

// Keeps each run's time per iteration so that main can print the ratios.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                times[run.run_name.function_name + '/' + run.run_name.args] = run.GetAdjustedRealTime();
        }
    }

    void printRatio(const std::string &ours, const std::string &peer) const
    {
        const auto a = times.find(ours);
        const auto b = times.find(peer);
        if (a == times.end() || b == times.end())
            return;
        std::printf("%-28s / %-30s = %.2f  (%s)\n", ours.c_str(), peer.c_str(), a->second / b->second,
                    a->second < b->second ? "ours faster" : "ours slower");
    }

    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nTime ratios on the 20 MB document (below 1: StdXML is faster):\n");
    reporter.printRatio("StdXML_LoadXML/20", "pugixml_load/20");
    reporter.printRatio("StdXML_LoadXML/20", "QDomDocument_setContent/20");
    reporter.printRatio("StdXML_xml/20", "pugixml_save/20");
    reporter.printRatio("StdXML_xml/20", "QDomDocument_toString/20");
    benchmark::Shutdown();
    return 0;
}
