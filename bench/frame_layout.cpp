// Building and laying out a frame of n snap-ins (each with its toolbar), against the
// same widgets created and placed by hand. Both should grow linearly with n; a Refresh
// only moves what exists.

#include "RatioReporter.h"

#include <velk/frame/velkFrameControl.h>
#include <velk/menu/velkMenuBar.h>
#include <velk/platform/ControlFactory.h>
#include <velk/xml/StdXML.h>

#include <QApplication>
#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace {

class BenchSnapIn : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Parameter READ Parameter WRITE setParameter)
    Q_PROPERTY(QString Toolbar READ Toolbar)
public:
    Q_INVOKABLE explicit BenchSnapIn(QWidget *parent = nullptr) : QWidget(parent) {}
    QString Parameter() const { return m_parameter; }
    void setParameter(const QString &p) { m_parameter = p; }
    QString Toolbar() const { return QStringLiteral("save#Speichern,print#Drucken"); }

private:
    QString m_parameter;
};

// Ten snap-ins a row, every one with a small parameter block.
QString layoutText(int snapins)
{
    QString xml = QStringLiteral("<ROWS>");
    for (int i = 0; i < snapins; ++i) {
        if (i % 10 == 0)
            xml += i == 0 ? QStringLiteral("<COLS>") : QStringLiteral("</COLS><COLS>");
        xml += QStringLiteral("<ITEM control=\"BenchSnapIn\" caption=\"%1\"><P nr=\"%1\"/></ITEM>").arg(i);
    }
    return xml + QStringLiteral("</COLS></ROWS>");
}

// What the event loop would do between two user actions: without it the posted events
// of every iteration pile up and each new one is compared against all of them.
void runEventLoopOnce()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void BM_FrameInit(benchmark::State &state)
{
    const int n = int(state.range(0));
    velk::velkFrameControl frame;
    frame.setAttribute(Qt::WA_DontShowOnScreen);
    frame.resize(1600, 1200);
    frame.show();
    velk::StdXML doc;
    doc.LoadXML(layoutText(n));
    for (auto _ : state) {
        frame.Init(doc.Root);
        state.PauseTiming();
        frame.Disconnect();
        runEventLoopOnce();
        state.ResumeTiming();
    }
    state.SetComplexityN(n);
}

void BM_FrameInitHidden(benchmark::State &state)
{
    const int n = int(state.range(0));
    velk::velkFrameControl frame;
    frame.resize(1600, 1200);
    velk::StdXML doc;
    doc.LoadXML(layoutText(n));
    for (auto _ : state) {
        frame.Init(doc.Root);
        state.PauseTiming();
        frame.Disconnect();
        runEventLoopOnce();
        state.ResumeTiming();
    }
    state.SetComplexityN(n);
}

void BM_FrameRefresh(benchmark::State &state)
{
    const int n = int(state.range(0));
    velk::velkFrameControl frame;
    frame.setAttribute(Qt::WA_DontShowOnScreen);
    frame.resize(1600, 1200);
    frame.show();
    velk::StdXML doc;
    doc.LoadXML(layoutText(n));
    frame.Init(doc.Root);
    runEventLoopOnce();
    int width = 1600;
    for (auto _ : state) {
        width = width == 1600 ? 1500 : 1600; // every pass really moves the controls
        frame.resize(width, 1200);
        frame.Refresh();
    }
    state.SetComplexityN(n);
}

// Dragging the boundary between the first two snap-ins in configuration mode: every move
// lays the frame out again with two provisional sizes. Its peer is one Refresh of the
// same frame.
struct ConfigFrame
{
    explicit ConfigFrame(int n)
    {
        frame.setAttribute(Qt::WA_DontShowOnScreen);
        frame.resize(1600, 1200);
        frame.show();
        doc.LoadXML(layoutText(n));
        frame.Init(doc.Root);
        frame.setConfigMode(true);
        runEventLoopOnce();
    }
    velk::StdXML doc;
    velk::velkFrameControl frame;
};

void BM_FrameBoundaryMove(benchmark::State &state)
{
    ConfigFrame f(int(state.range(0)));
    const QRect first = f.frame.snapin(1)->geometry();
    const float x = float(first.right() + 3); // inside the gap after the first column
    const float y = float(first.center().y());
    f.frame.MouseDown(1, 0, x, y);
    int step = 0;
    for (auto _ : state) {
        step = step == 10 ? -10 : 10;
        f.frame.MouseMove(1, 0, x + float(step), y);
    }
    f.frame.MouseUp(1, 0, x, y);
    state.SetComplexityN(state.range(0));
}

void BM_FrameRefreshConfig(benchmark::State &state)
{
    ConfigFrame f(int(state.range(0)));
    for (auto _ : state)
        f.frame.Refresh();
    state.SetComplexityN(state.range(0));
}

// The peer: the same controls and toolbars made and placed directly.
void BM_HandPlacedWidgets(benchmark::State &state)
{
    const int n = int(state.range(0));
    QWidget host;
    host.setAttribute(Qt::WA_DontShowOnScreen);
    host.resize(1600, 1200);
    host.show();
    for (auto _ : state) {
        std::vector<QWidget *> made;
        for (int i = 0; i < n; ++i) {
            auto *bar = new velk::velkMenuBar(&host);
            bar->setMenu(QStringLiteral("save#Speichern,print#Drucken"));
            auto *w = new BenchSnapIn(&host);
            w->setParameter(QStringLiteral("<P nr=\"%1\"/>").arg(i));
            const int x = (i % 10) * 160, y = (i / 10) * 60;
            bar->setGeometry(x, y, 155, 24);
            w->setGeometry(x, y + 25, 155, 30);
            bar->show();
            w->show();
            made.push_back(bar);
            made.push_back(w);
        }
        state.PauseTiming();
        qDeleteAll(made);
        runEventLoopOnce();
        state.ResumeTiming();
    }
    state.SetComplexityN(n);
}

} // namespace

BENCHMARK(BM_FrameInit)->RangeMultiplier(2)->Range(50, 800)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameInitHidden)->RangeMultiplier(2)->Range(50, 800)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HandPlacedWidgets)->RangeMultiplier(2)->Range(50, 800)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameRefresh)->RangeMultiplier(2)->Range(50, 800)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameBoundaryMove)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameRefreshConfig)->Arg(200)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    velk::ControlFactory::registerClass<BenchSnapIn>();
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("BM_FrameBoundaryMove/200", "BM_FrameRefreshConfig/200", 1.2);
    benchmark::Shutdown();
    return 0;
}

#include "frame_layout.moc"
