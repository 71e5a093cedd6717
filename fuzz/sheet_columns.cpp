// Column definitions: one entry read and written back, a whole definition merged with a
// saved layout, laid out and read back. Every text must give a column set that writes
// itself back unchanged.

#include <velk/sheet/SheetColumn.h>
#include <velk/common/StringHelpers.h>
#include <velk/sheet/SheetColumns_p.h>

#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    // The first line is the definition, the rest the saved layout.
    const qsizetype lineEnd = input.indexOf(u'\n');
    const QString definition = lineEnd < 0 ? input : input.left(lineEnd);
    const QString saved = lineEnd < 0 ? QString() : input.mid(lineEnd + 1);

    velk::SheetColumn column;
    column.Init(definition);
    const QString written = column.ToString();
    velk::SheetColumn again;
    again.Init(written);
    if (again.ToString() != written)
        std::abort();
    column.Merge(saved);
    if (column.Width < -32768 || column.Width > 32767)
        std::abort();

    velk::SheetColumns columns;
    columns.setDefinition(definition, saved);
    if (columns.count() < 1)
        std::abort();
    for (int col = 1; col < columns.count(); ++col) {
        if (columns.at(col)->Width < 1)
            std::abort();
    }
    // The set merges through a table read once; it must agree with Merge on every column.
    const QString value = definition.isEmpty() ? QStringLiteral(":*") : definition;
    qsizetype start = 0;
    for (int col = 1; col <= std::min(columns.count(), 40); ++col) {
        qsizetype end = value.indexOf(u',', start);
        if (end < 0)
            end = value.size();
        velk::SheetColumn single;
        single.Init(velk::TrimBlanks(value.mid(start, end - start)));
        single.Merge(saved);
        const int width = col < columns.count() && single.Width < 1 ? 1600 : single.Width;
        if (single.Enabled != columns.at(col)->Enabled || width != columns.at(col)->Width)
            std::abort();
        start = end + 1;
    }
    // Laying out reads the columns and leaves them as they were.
    const velk::SheetColumnEdges edges = columns.layout(int(size % 100000), int(size % 5), 50);
    if (edges.count() != columns.count() || edges.columnAt(edges.rightEdge()) != 0)
        std::abort();
    const QString joined = columns.definition();
    velk::SheetColumns reread;
    reread.setDefinition(joined);
    if (reread.definition() != joined || reread.count() != columns.count())
        std::abort();
    return 0;
}
