// Building a wizard of n fields on n/10 pages and paging through all of them, against
// the same input widgets built by hand into QWizardPages that a QWizard visits. Both
// should grow linearly; showing a page touches only that page's fields.

#include <velk/controls/velkButton.h>
#include <velk/platform/ScriptedDialogs.h>
#include <velk/wizard/Wizard.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTreeWidget>
#include <QWizard>

#include <benchmark/benchmark.h>

#include "RatioReporter.h"

#include <cstdio>
#include <map>

using namespace velk;

namespace {

constexpr int kFieldsPerPage = 10;
const QString kList = QStringLiteral("eins=1\r\nzwei=2\r\ndrei=3\r\nvier=4");

void fillWizard(Wizard &w, int fields)
{
    for (int i = 0; i < fields; ++i) {
        const int page = i / kFieldsPerPage + 1;
        const QString key = QStringLiteral("f%1").arg(i);
        const QString label = QStringLiteral("Feld %1").arg(i);
        switch (i % 7) {
        case 0: w.AddText(key, QStringLiteral("Text"), label, page); break;
        case 1: w.AddTextArea(key, QStringLiteral("Zeile 1\r\nZeile 2"), label, page); break;
        case 2: w.AddOption(key, QStringLiteral("false"), label, page); break;
        case 3: w.AddCheckbox(key, QStringLiteral("1"), label, page); break;
        case 4: w.AddCombo(key, QStringLiteral("zwei"), QStringLiteral("eins\r\nzwei\r\ndrei"), label, page); break;
        case 5: w.AddSheet(key, QStringLiteral("2"), kList, label, page); break;
        default: w.AddLabel(label, page); break;
        }
    }
}

void velkWizard_buildAndPage(benchmark::State &state)
{
    const int fields = int(state.range(0));
    ScopedDialogs dialogs;
    for (auto _ : state) {
        Wizard w;
        fillWizard(w, fields);
        dialogs->answerForm([&w](QDialog &form) {
            auto *forward = form.findChild<velkButton *>(QStringLiteral("velkButton3"));
            for (int p = 1; p <= w.Count(); ++p)
                forward->KeyPress(' ');
        });
        benchmark::DoNotOptimize(w.Show(QStringLiteral("Bench")));
        dialogs->clear();
    }
    state.SetComplexityN(fields);
}

// The same inputs in a QWizard: one page per ten fields, each visited once.
void QWizard_buildAndPage(benchmark::State &state)
{
    const int fields = int(state.range(0));
    for (auto _ : state) {
        QWizard wizard;
        QFormLayout *form = nullptr;
        for (int i = 0; i < fields; ++i) {
            if (i % kFieldsPerPage == 0) {
                auto *page = new QWizardPage;
                form = new QFormLayout(page);
                wizard.addPage(page);
            }
            const QString label = QStringLiteral("Feld %1").arg(i);
            switch (i % 7) {
            case 0: form->addRow(label, new QLineEdit(QStringLiteral("Text"))); break;
            case 1: form->addRow(label, new QPlainTextEdit(QStringLiteral("Zeile 1\r\nZeile 2"))); break;
            case 2: form->addRow(new QRadioButton(label)); break;
            case 3: {
                auto *box = new QCheckBox(label);
                box->setChecked(true);
                form->addRow(box);
                break;
            }
            case 4: {
                auto *combo = new QComboBox;
                combo->addItems({QStringLiteral("eins"), QStringLiteral("zwei"), QStringLiteral("drei")});
                combo->setCurrentIndex(1);
                form->addRow(label, combo);
                break;
            }
            case 5: {
                auto *tree = new QTreeWidget;
                for (const QString &text : {QStringLiteral("eins"), QStringLiteral("zwei"), QStringLiteral("drei"),
                                            QStringLiteral("vier")})
                    tree->addTopLevelItem(new QTreeWidgetItem(QStringList(text)));
                tree->setCurrentItem(tree->topLevelItem(1));
                form->addRow(label, tree);
                break;
            }
            default: form->addRow(new QLabel(label)); break;
            }
        }
        wizard.restart();
        while (wizard.nextId() >= 0)
            wizard.next();
        benchmark::DoNotOptimize(wizard.currentId());
    }
    state.SetComplexityN(fields);
}

void sizes(benchmark::internal::Benchmark *b)
{
    b->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(velkWizard_buildAndPage)->Apply(sizes)->Complexity(benchmark::oN);
BENCHMARK(QWizard_buildAndPage)->Apply(sizes)->Complexity(benchmark::oN);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nCPU time ratios:\n");
    reporter.printRatio("velkWizard_buildAndPage/5000", "velkWizard_buildAndPage/500", 12.0);
    reporter.printRatio("velkWizard_buildAndPage/500", "QWizard_buildAndPage/500", 2.0);
    reporter.printRatio("velkWizard_buildAndPage/5000", "QWizard_buildAndPage/5000", 2.0);
    benchmark::Shutdown();
    return 0;
}
