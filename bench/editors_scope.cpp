// Scope rules, rating conditions and action strings: filling velkUmfang's include list
// against QTreeWidget filling the same descriptions, and the three parsers on growing input.

#include "sheet_bench.h"

#include <velk/editors/ActionString_p.h>
#include <velk/editors/EvalCondition_p.h>
#include <velk/editors/UmfangRule_p.h>
#include <velk/editors/velkUmfang.h>

#include <QTreeWidget>

using namespace velk;

namespace {

// `n` rules of varying shape, one per line.
QStringList makeRules(int n)
{
    static const char *const units[] = {"KB", "MB", "GB"};
    QStringList rules;
    rules.reserve(n);
    for (int i = 0; i < n; ++i) {
        QString rule = QStringLiteral("doc *.%1").arg(i % 3 ? QStringLiteral("pdf") : QStringLiteral("doc"));
        if (i % 2)
            rule += QStringLiteral("|par /archiv/%1").arg(2020 + i % 7);
        rule += QStringLiteral("|size > %1 %2").arg(i % 100).arg(QLatin1StringView(units[i % 3]));
        if (i % 5 == 0)
            rule += QStringLiteral("|attr -H|person Kunde %1").arg(i);
        rules.append(rule);
    }
    return rules;
}

void BM_Umfang_Include(benchmark::State &state)
{
    const QString text = makeRules(int(state.range(0))).join(QStringLiteral("\r\n"));
    velkUmfang umfang;
    for (auto _ : state)
        umfang.setInclude(text);
    if (umfang.Include().size() < text.size())
        state.SkipWithError("rules lost");
}
BENCHMARK(BM_Umfang_Include)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_TreeWidget_Include(benchmark::State &state)
{
    const QStringList rules = makeRules(int(state.range(0)));
    const QString text = rules.join(QStringLiteral("\r\n"));
    QTreeWidget tree;
    for (auto _ : state) {
        tree.clear();
        QList<QTreeWidgetItem *> items;
        for (const QString &rule : text.split(QStringLiteral("\r\n"))) {
            auto *item = new QTreeWidgetItem(QStringList{UmfangRule::description(rule)});
            item->setData(0, Qt::UserRole, rule);
            items.append(item);
        }
        tree.addTopLevelItems(items);
    }
}
BENCHMARK(BM_TreeWidget_Include)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

QString repeatTo(const QString &piece, qsizetype size)
{
    QString s;
    s.reserve(size + piece.size());
    while (s.size() < size)
        s += piece;
    return s;
}

void BM_Rule_Parse(benchmark::State &state)
{
    const QString rule = repeatTo(QStringLiteral("doc *.pdf|size > 10 MB|attr -H|person Meier|"), state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(UmfangRule::description(rule).size());
        benchmark::DoNotOptimize(UmfangRule::ruleOf(UmfangRule::fieldsOf(rule)).size());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Rule_Parse)->Arg(1 << 16)->Arg(1 << 18)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

void BM_Condition_Set(benchmark::State &state)
{
    const QString condition = QStringLiteral("$eval>=") + repeatTo(QStringLiteral("1234567890"), state.range(0))
        + QStringLiteral("/$eval<=") + repeatTo(QStringLiteral(" "), state.range(0)) + u'8';
    for (auto _ : state) {
        EvalRange range;
        EvalCondition::applyCondition(range, condition);
        benchmark::DoNotOptimize(EvalCondition::conditionOf(range).size());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Condition_Set)->Arg(1 << 16)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

void BM_Action_Put(benchmark::State &state)
{
    const QString action = QStringLiteral("delete|") + repeatTo(QStringLiteral("xsav|removepat|rec:yclebin|"), state.range(0))
        + QStringLiteral("save");
    ActionState s = ActionString::initial(QStringLiteral("/tmp"));
    for (auto _ : state) {
        ActionString::putAction(s, action);
        benchmark::DoNotOptimize(ActionString::actionOf(s).size());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Action_Put)->Arg(1 << 16)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return sheetbench::run(argc, argv, {{"BM_Umfang_Include", "BM_TreeWidget_Include"}},
                           {{"BM_Umfang_Include", "1000", "10000"},
                            {"BM_TreeWidget_Include", "1000", "10000"},
                            {"BM_Rule_Parse", "65536", "1048576"},
                            {"BM_Condition_Set", "65536", "1048576"},
                            {"BM_Action_Put", "65536", "1048576"}});
}
