#include "SheetColumns.h"

#include <velk/common/StringHelpers.h>

#include <algorithm>
#include <climits>

namespace velk {

namespace {

// Width a column that is not the last gets when its definition leaves it at 0 or "*".
constexpr int DefaultWidth = 1600;

} // namespace

bool SheetColumns::setDefinition(const QString &definition, const QString &saved)
{
    m_columns.Clear();
    const QString value = definition.isEmpty() ? QStringLiteral(":*") : definition;
    bool captioned = false;
    qsizetype start = 0;
    while (start <= value.size()) {
        qsizetype end = value.indexOf(u',', start);
        if (end < 0)
            end = value.size();
        auto column = std::make_shared<SheetColumn>();
        column->Init(TrimBlanks(value.mid(start, end - start)));
        column->Merge(saved);
        captioned = captioned || !column->caption.isEmpty();
        m_columns.Add(std::move(column));
        start = end + 1;
    }
    for (int col = 1; col < count(); ++col) {
        SheetColumn *column = at(col);
        if (column->Width < 1)
            column->Width = DefaultWidth;
    }
    return captioned;
}

QString SheetColumns::definition() const
{
    QString joined;
    bool first = true;
    for (const ColumnPtr &column : m_columns) {
        if (!first)
            joined += u',';
        first = false;
        joined += column->ToString();
    }
    return joined == QLatin1String(":*") ? QString() : joined;
}

SheetColumn *SheetColumns::at(int col) const
{
    const ColumnPtr *column = m_columns.Item(col);
    return column ? column->get() : nullptr;
}

void SheetColumns::layout(int listWidth, int firstColumn, int leftMargin)
{
    // 64-bit running x: a definition may hold thousands of wide columns.
    qint64 x = 0;
    auto clampToInt = [](qint64 v) { return int(std::clamp<qint64>(v, INT_MIN, INT_MAX)); };
    for (int col = 1; col <= count(); ++col) {
        SheetColumn *column = at(col);
        if (col < firstColumn || !column->Enabled) {
            column->x1 = column->x2 = -1;
            continue;
        }
        column->x1 = clampToInt(x);
        if (col == 1)
            x = leftMargin;
        x += column->WidthReal(clampToInt(qint64(listWidth) - x));
        column->x2 = clampToInt(x);
    }
}

} // namespace velk
