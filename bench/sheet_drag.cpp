// Dragging selected rows out of a sheet as text and files: the press, the move past the
// threshold, DragCheck, both DragRequests (the handler joins SelectedItems' names with
// CR LF and lists their paths) and a scripted drop target reading text() and urls().
// The peer puts the same names and paths into a QMimeData with setText and setUrls and
// reads them back. Also the header's double-click width on a million rows beside
// QTreeView::resizeColumnToContents on a model of the same rows.
//
// A drag of 100,000 rows takes 30 to 45 MB for a moment. With its default thresholds
// glibc hands some of that back to the system when the drag ends and faults it in again
// on the next one: nothing at all in some processes, 8 MB or 31 MB a drag in others,
// depending on what the process allocated before (and the side that runs second inherits
// the heap the first one grew). So that the figures measure the drag and not that
// history, main() fixes the thresholds: blocks up to 32 MB come from the heap, and the
// heap keeps what it has. Run with VELK_BENCH_DEFAULT_MALLOC=1 to see glibc's defaults.

#include "sheet_bench.h"

#include <velk/platform/DragDrop.h>
#include <velk/sheet/SheetInput_p.h>
#include <velk/sheet/SheetLayout_p.h>
#include <velk/sheet/velkSheet.h>
#include <velk/sheet/velkSheet_p.h>

#include <QAbstractTableModel>
#include <QMimeData>
#include <QTreeView>
#include <QUrl>

#include <malloc.h>

#include <cstdlib>
#include <memory>

using namespace velk;

namespace {

QString nameOf(int i) { return QStringLiteral("Dokument %1").arg(i); }
QString pathOf(int i) { return QStringLiteral("/srv/archiv/2024/dokument_%1.pdf").arg(i); }

std::unique_ptr<velkSheet> selectedRows(int n)
{
    auto sheet = std::make_unique<velkSheet>();
    sheet->resize(600, 400);
    sheet->setFlags(QStringLiteral("multiselect"));
    sheet->setRedraw(false);
    for (int i = 1; i <= n; ++i)
        sheet->AddItem(nameOf(i) + u'\t' + pathOf(i));
    sheet->setRedraw(true);
    sheet->SelectAll();
    sheet->setSelectedIndex(1);
    sheet->SelectAll();
    return sheet;
}

void BM_Sheet_DragSelectedRows(benchmark::State &state)
{
    const auto sheet = selectedRows(int(state.range(0)));
    velkSheetEvents *events = sheet->events();
    QObject::connect(events, &velkSheetEvents::DragCheck, [](std::shared_ptr<SheetData>, int &type) { type = 16; });
    QObject::connect(events, &velkSheetEvents::DragRequest, [&](QVariant &data, int format) {
        const Collection<velkSheet::RowPtr> rows = sheet->SelectedItems();
        if (format == 1) {
            QString text;
            for (int k = 1; k <= rows.Count(); ++k) {
                if (k > 1)
                    text += QStringLiteral("\r\n");
                text += (*rows.Item(k))->subTextView(1);
            }
            data = text;
            return;
        }
        QStringList paths;
        paths.reserve(rows.Count());
        for (int k = 1; k <= rows.Count(); ++k)
            paths << (*rows.Item(k))->GetSubText(2);
        data = paths;
    });
    qsizetype received = 0;
    ScriptedDragDropScope seam([&](QMimeData &data, int) {
        received = data.text().size() + data.urls().size();
        return 1;
    });
    SheetInput &input = SheetInternals::input(*sheet);
    const SheetLayout::RowBox box = SheetInternals::layout(*sheet).rows().front();
    const int y = (box.y1 + box.y2) / 2;
    for (auto _ : state) {
        input.MouseDown(1, 0, 300, y);
        input.MouseMove(1, 0, 300, y + 60);
        input.MouseUp(1, 0, 300, y + 60);
        benchmark::DoNotOptimize(received);
    }
    if (sheet->SelectedCount() != state.range(0))
        state.SkipWithError("the drag lost the selection");
    state.SetComplexityN(state.range(0));
}

void BM_QMimeData_SetTextAndUrls(benchmark::State &state)
{
    const int n = int(state.range(0));
    std::vector<QString> names;
    std::vector<QString> paths;
    for (int i = 1; i <= n; ++i) {
        names.push_back(nameOf(i));
        paths.push_back(pathOf(i));
    }
    qsizetype received = 0;
    for (auto _ : state) {
        QString text;
        for (const QString &name : names) {
            if (!text.isEmpty())
                text += QStringLiteral("\r\n");
            text += name;
        }
        QList<QUrl> urls;
        urls.reserve(n);
        for (const QString &path : paths)
            urls.append(QUrl::fromLocalFile(path));
        QMimeData data;
        data.setText(text);
        data.setUrls(urls);
        received = data.text().size() + data.urls().size();
        benchmark::DoNotOptimize(received);
    }
    state.SetComplexityN(state.range(0));
}

// --- fit width ---------------------------------------------------------------------------

QString fitText(int i)
{
    // One row far down is much longer than the rest.
    return i == 700000 ? QStringLiteral("Ein Titel, der viel länger ist als alle anderen Titel der Liste")
                       : QStringLiteral("Zeile %1").arg(i % 10000);
}

void BM_Sheet_FitWidth(benchmark::State &state)
{
    const int n = int(state.range(0));
    velkSheet sheet;
    sheet.resize(600, 400);
    sheet.setColumns(QStringLiteral("Name:1000,Rest:*"));
    sheet.setRedraw(false);
    for (int i = 1; i <= n; ++i)
        sheet.AddItem(fitText(i));
    sheet.setRedraw(true);
    SheetInput &input = SheetInternals::input(sheet);
    for (auto _ : state) {
        input.fitColumnWidth(1);
        benchmark::DoNotOptimize(sheet.GetColumnData(1)->Width);
    }
}

class TextModel : public QAbstractTableModel
{
public:
    explicit TextModel(int rows) : m_rows(rows) {}
    int rowCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : m_rows; }
    int columnCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : 2; }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole || index.column() != 0)
            return QVariant();
        return fitText(index.row() + 1);
    }

private:
    int m_rows;
};

void BM_QTreeView_ResizeColumnToContents(benchmark::State &state)
{
    TextModel model(int(state.range(0)));
    QTreeView view;
    view.setUniformRowHeights(true);
    view.resize(600, 400);
    view.setModel(&model);
    for (auto _ : state) {
        view.resizeColumnToContents(0);
        benchmark::DoNotOptimize(view.columnWidth(0));
    }
}

} // namespace

BENCHMARK(BM_Sheet_DragSelectedRows)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QMimeData_SetTextAndUrls)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sheet_FitWidth)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QTreeView_ResizeColumnToContents)->Arg(1000000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (!std::getenv("VELK_BENCH_DEFAULT_MALLOC")) {
        mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
        mallopt(M_TRIM_THRESHOLD, 1 << 30);
    }
    return sheetbench::run(argc, argv,
                           {{"BM_Sheet_DragSelectedRows", "BM_QMimeData_SetTextAndUrls"},
                            {"BM_Sheet_FitWidth", "BM_QTreeView_ResizeColumnToContents"}},
                           {{"BM_Sheet_DragSelectedRows", "10000", "100000"},
                            {"BM_QMimeData_SetTextAndUrls", "10000", "100000"}});
}
