#include "SheetColumns_p.h"

#include <velk/common/StringHelpers.h>

#include <QHash>

#include <algorithm>
#include <climits>

namespace velk {

namespace {

// Width a column that is not the last gets when its definition leaves it at 0 or "*".
constexpr int DefaultWidth = 1600;

// The saved layout looked up by caption. Merging each column by searching the whole
// saved text would cost columns × text; this reads the text once. Captions from a
// definition hold neither "," nor ":", so "," + caption + ":" can only match where an
// entry begins with caption + ":", which is what the two tables hold (a caption may itself
// begin with "!"). As in
// SheetColumn::Merge, a shown entry wins over a hidden one, and the first one counts.
class SavedLayout
{
public:
    explicit SavedLayout(const QString &saved)
    {
        qsizetype start = 0;
        while (!saved.isEmpty() && start <= saved.size()) {
            qsizetype end = saved.indexOf(u',', start);
            if (end < 0)
                end = saved.size();
            const QStringView entry = QStringView(saved).mid(start, end - start);
            const qsizetype colon = entry.indexOf(u':');
            if (colon >= 0) {
                // "!x:..." hides column "x" but also shows a column whose caption is "!x".
                const QStringView caption = entry.left(colon);
                remember(m_shown, caption, entry.mid(colon + 1));
                if (caption.startsWith(u'!'))
                    remember(m_hidden, caption.mid(1), entry.mid(colon + 1));
            }
            start = end + 1;
        }
    }

    void apply(SheetColumn &column) const
    {
        if (const auto shown = m_shown.constFind(column.caption); shown != m_shown.constEnd()) {
            column.Enabled = true;
            column.Width = SheetColumn::widthFromText(*shown);
        } else if (const auto hidden = m_hidden.constFind(column.caption); hidden != m_hidden.constEnd()) {
            column.Enabled = false;
            column.Width = SheetColumn::widthFromText(*hidden);
        }
    }

private:
    static void remember(QHash<QString, QStringView> &table, QStringView caption, QStringView width)
    {
        const QString key = caption.toString();
        if (!table.contains(key))
            table.insert(key, width);
    }

    QHash<QString, QStringView> m_shown;
    QHash<QString, QStringView> m_hidden;
};

} // namespace

bool SheetColumns::setDefinition(const QString &definition, const QString &saved)
{
    const SavedLayout layout(saved);
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
        layout.apply(*column);
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

SheetColumnEdges SheetColumns::layout(int listWidth, int firstColumn, int leftMargin) const
{
    // 64-bit running x: a definition may hold thousands of wide columns.
    std::vector<SheetColumnEdge> edges(static_cast<size_t>(count()));
    qint64 x = 0;
    auto clampToInt = [](qint64 v) { return int(std::clamp<qint64>(v, INT_MIN, INT_MAX)); };
    for (int col = 1; col <= count(); ++col) {
        const SheetColumn *column = at(col);
        if (col < firstColumn || !column->Enabled)
            continue;
        SheetColumnEdge &edge = edges[size_t(col - 1)];
        edge.x1 = clampToInt(x);
        if (col == 1)
            x = leftMargin;
        x += column->WidthReal(clampToInt(qint64(listWidth) - x));
        edge.x2 = clampToInt(x);
    }
    return SheetColumnEdges(std::move(edges));
}

int SheetColumnEdges::rightEdge() const
{
    int right = 0;
    for (const SheetColumnEdge &edge : m_edges) {
        if (edge.isLaidOut())
            right = std::max(right, edge.x2);
    }
    return right;
}

int SheetColumnEdges::columnAt(int x) const
{
    for (int col = 1; col <= count(); ++col) {
        const SheetColumnEdge &edge = m_edges[size_t(col - 1)];
        if (edge.isLaidOut() && x >= edge.x1 && x < edge.x2)
            return col;
    }
    return 0;
}

int SheetColumns::firstColumnFitting(int listWidth, int leftMargin) const
{
    int first = 1;
    for (; first < count(); ++first) {
        if (layout(listWidth, first, leftMargin).rightEdge() <= listWidth)
            break;
    }
    return first;
}

void SheetColumns::publishEdges(const SheetColumnEdges &edges)
{
    for (int col = 1; col <= count(); ++col) {
        const SheetColumnEdge edge = edges.at(col);
        at(col)->x1 = edge.x1;
        at(col)->x2 = edge.x2;
    }
}

int SheetColumns::nearestShown(int col, int step) const
{
    for (int c = col + step; c >= 1 && c <= count(); c += step) {
        if (at(c)->Enabled)
            return c;
    }
    return 0;
}

} // namespace velk
