// Grouping: the first line is the query, every further line a row (its length picks the
// Indent), the first byte the column. Grouping twice must keep every row once, put the
// rows in key order, and place one header before each change of key.

#include <velk/sheet/SheetModel_p.h>
#include <velk/sheet/SheetQuery_p.h>

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <unordered_set>

namespace {

void checkGrouping(const velk::SheetModel &model, const std::unordered_set<const velk::SheetData *> &rows)
{
    QString previousKey;
    bool headerPending = false;
    int dataRows = 0;
    for (int pos = 1; pos <= model.count(); ++pos) {
        const velk::SheetData *row = model.rows().at(pos);
        if (row->Index() != pos)
            std::abort();
        if (!rows.count(row)) {
            // A header: followed by a row of its own key, which differs from the last.
            if (headerPending || row->Text() != velk::SheetQuery::headerText(row->Sort))
                std::abort();
            headerPending = true;
            continue;
        }
        ++dataRows;
        if (QString::compare(row->Sort, previousKey) < 0)
            std::abort();
        if ((row->Sort != previousKey) != headerPending)
            std::abort();
        headerPending = false;
        previousKey = row->Sort;
    }
    if (headerPending || dataRows != int(rows.size()))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const int col = data[0] % 4;
    QStringList lines = QString::fromUtf8(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1)).split(u'\n');
    const QString query = lines.takeFirst();

    velk::SheetModel model;
    std::unordered_set<const velk::SheetData *> rows;
    for (const QString &line : lines.mid(0, 5000))
        rows.insert(model.addItem(line, QString(), int(line.size() % 3)).get());

    bool grouped = false;
    velk::SheetQuery::groupName(query, &grouped);
    model.query(query, col);
    model.query(query, col);
    if (grouped)
        checkGrouping(model, rows);
    else if (model.count() != int(rows.size()))
        std::abort();
    return 0;
}
