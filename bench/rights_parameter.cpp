// Loading the rights editor's parameter (10,000 users, each with inherited rights)
// against QTreeWidget filling the same rows, the inherited column matched through a hash.

#include "sheet_bench.h"

#include <velk/editors/velkRights.h>

#include <QHash>
#include <QIcon>
#include <QTreeWidget>

namespace {

QString parameter(int n)
{
    QString own, inherited;
    for (int i = 0; i < n; ++i) {
        own += QStringLiteral(",benutzer%1:%2").arg(i).arg(i % 3 ? QStringLiteral("rk") : QStringLiteral("rek"));
        inherited += QStringLiteral(",benutzer%1:%2").arg((i * 7919) % n).arg(i % 2 ? QStringLiteral("re") : QStringLiteral("r"));
    }
    return own.mid(1) + u'\n' + inherited.mid(1);
}

void BM_Rights_Parameter(benchmark::State &state)
{
    const QString p = parameter(int(state.range(0)));
    velk::velkRights rights;
    rights.resize(500, 400);
    for (const char *letter : {"r", "e", "k", "w"})
        rights.AddRight(QString::fromLatin1(letter), QString::fromLatin1(letter));
    for (auto _ : state)
        rights.setParameter(p);
}
BENCHMARK(BM_Rights_Parameter)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_QTreeWidget_Fill(benchmark::State &state)
{
    const QString p = parameter(int(state.range(0)));
    QTreeWidget tree;
    tree.resize(500, 200);
    tree.setColumnCount(3);
    tree.setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Rechte"), QStringLiteral("Geerbte Rechte")});
    const QIcon person = QIcon::fromTheme(QStringLiteral("avatar-default"));
    for (auto _ : state) {
        tree.clear();
        const qsizetype lf = p.indexOf(u'\n');
        QList<QTreeWidgetItem *> items;
        QHash<QString, QTreeWidgetItem *> byName;
        for (const QString &entry : p.left(lf).split(u',')) {
            const qsizetype colon = entry.indexOf(u':');
            auto *item = new QTreeWidgetItem({entry.left(colon), entry.mid(colon + 1)});
            item->setIcon(0, person);
            byName.insert(entry.left(colon), item);
            items.append(item);
        }
        for (const QString &entry : p.mid(lf + 1).split(u',')) {
            const qsizetype colon = entry.indexOf(u':');
            if (QTreeWidgetItem *item = byName.value(entry.left(colon)))
                item->setText(2, entry.mid(colon + 1));
        }
        tree.addTopLevelItems(items);
        benchmark::DoNotOptimize(tree.topLevelItemCount());
    }
}
BENCHMARK(BM_QTreeWidget_Fill)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return sheetbench::run(argc, argv, {{"BM_Rights_Parameter", "BM_QTreeWidget_Fill"}});
}
