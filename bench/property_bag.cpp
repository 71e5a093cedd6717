// Property bag of a form with n controls: writing every control's design properties to
// XML elements and reading them into a second form. Both should grow linearly in n
// (the peer is the plain copy of the same properties by QObject::setProperty).

#include "RatioReporter.h"

#include <velk/controls/velkButton.h>
#include <velk/controls/velkLabel.h>
#include <velk/platform/PropertyBag.h>

#include <QApplication>
#include <QMetaProperty>

#include <benchmark/benchmark.h>

#include <memory>

using namespace velk;

namespace {

std::unique_ptr<QWidget> makeForm(int n, bool styled)
{
    auto form = std::make_unique<QWidget>();
    for (int i = 0; i < n; ++i) {
        if (i % 2) {
            auto *b = new velkButton(form.get());
            b->setObjectName(QStringLiteral("cmd%1").arg(i));
            if (styled) {
                b->setCaption(QStringLiteral("Knopf %1").arg(i));
                b->setStyleNumber(short(i % 3));
            }
        } else {
            auto *l = new velkLabel(form.get());
            l->setObjectName(QStringLiteral("lbl%1").arg(i));
            if (styled) {
                l->setCaption(QStringLiteral("Beschriftung %1").arg(i));
                l->setForeColor(Color(i));
            }
        }
    }
    return form;
}

void BM_PropertyBagRoundTrip(benchmark::State &state)
{
    const int n = int(state.range(0));
    auto source = makeForm(n, true);
    auto target = makeForm(n, false);
    for (auto _ : state) {
        StdXMLNodePtr root = StdXMLNode::create();
        root->Tag = QStringLiteral("Formular");
        PropertyBag::writeForm(source.get(), root);
        benchmark::DoNotOptimize(PropertyBag::readForm(target.get(), root));
    }
    state.SetComplexityN(n);
}

void BM_PlainPropertyCopy(benchmark::State &state)
{
    const int n = int(state.range(0));
    auto source = makeForm(n, true);
    auto target = makeForm(n, false);
    const QList<QWidget *> from = source->findChildren<QWidget *>();
    const QList<QWidget *> to = target->findChildren<QWidget *>();
    for (auto _ : state) {
        for (qsizetype i = 0; i < from.size(); ++i) {
            for (const QString &name : PropertyBag::storedProperties(from[i]))
                to[i]->setProperty(name.toLatin1(), from[i]->property(name.toLatin1()));
        }
    }
    state.SetComplexityN(n);
}

} // namespace

BENCHMARK(BM_PropertyBagRoundTrip)->Arg(250)->Arg(1000)->Arg(4000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainPropertyCopy)->Arg(250)->Arg(1000)->Arg(4000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nCPU time ratios (four times the controls should cost four times as much):\n");
    reporter.printRatio("BM_PropertyBagRoundTrip/4000", "BM_PropertyBagRoundTrip/1000", 4.8);
    reporter.printRatio("BM_PropertyBagRoundTrip/1000", "BM_PlainPropertyCopy/1000", 3.0);
    benchmark::Shutdown();
    return 0;
}
