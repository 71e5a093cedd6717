#include "SheetSorter.h"

#include "SheetColumn.h"
#include "SheetRows.h"

#include <velk/common/CalendarHelpers.h>
#include <velk/common/StringHelpers.h>

#include <algorithm>
#include <bit>
#include <cmath>

namespace velk {

namespace {

int compareKeys(double a, double b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

int compareKeys(QStringView a, QStringView b)
{
    const int c = a.compare(b, Qt::CaseSensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// Ranges up to this size always run the plain quicksort, however it degenerates: their
// worst case is cheap, and they keep the exact arrangement of equal keys.
constexpr int SmallRange = 64;

// The quicksort over keys with a parallel position array. Partitioning follows the
// original step by step (pivot = last element, the i scan before the j scan, the
// direction multiplied into every comparison), because that decides where equal keys
// end up. Two kinds of range are settled without partitioning, with the same result:
// a range already in order (the partition would peel one pivot off its end at a time
// and move nothing) and a strictly falling range (all keys differ, so its sorted order
// is unique). When a large range still degenerates past a depth budget, as introsort
// does, a stable sort finishes it.
template<typename Key>
class QuickSort
{
public:
    QuickSort(std::vector<Key> &keys, std::vector<int> &order, int direction)
        : m_keys(keys), m_order(order), m_direction(direction < 0 ? -1 : 1)
    {
    }

    void run()
    {
        const int n = int(m_keys.size());
        if (n > 1)
            sort(0, n - 1, 2 * std::bit_width(unsigned(n)) + 4);
    }

private:
    int compare(int a, int b) const { return m_direction * compareKeys(m_keys[a], m_keys[b]); }

    void swapAt(int a, int b)
    {
        std::swap(m_keys[a], m_keys[b]);
        std::swap(m_order[a], m_order[b]);
    }

    void sort(int lo, int hi, int budget)
    {
        while (lo < hi) {
            const int trend = trendOf(lo, hi);
            if (trend > 0)
                return;
            if (trend < 0) {
                reverse(lo, hi);
                return;
            }
            if (budget == 0 && hi - lo >= SmallRange) {
                stableSort(lo, hi);
                return;
            }
            budget = std::max(budget - 1, 0);
            const int p = partition(lo, hi);
            sort(lo, p - 1, budget);
            lo = p + 1;
        }
    }

    int partition(int lo, int hi)
    {
        int i = lo;
        int j = hi - 1;
        for (;;) {
            while (compare(i, hi) < 1 && i < hi)
                ++i;
            while (compare(hi, j) < 1 && j > lo)
                --j;
            if (i >= j)
                break;
            swapAt(i, j);
        }
        swapAt(i, hi);
        return i;
    }

    // 1 when lo..hi never falls, -1 when it strictly falls throughout, else 0.
    int trendOf(int lo, int hi) const
    {
        const int first = compare(lo, lo + 1);
        if (first <= 0) {
            for (int k = lo + 1; k < hi; ++k) {
                if (compare(k, k + 1) > 0)
                    return 0;
            }
            return 1;
        }
        for (int k = lo + 1; k < hi; ++k) {
            if (compare(k, k + 1) <= 0)
                return 0;
        }
        return -1;
    }

    void reverse(int lo, int hi)
    {
        std::reverse(m_keys.begin() + lo, m_keys.begin() + hi + 1);
        std::reverse(m_order.begin() + lo, m_order.begin() + hi + 1);
    }

    void stableSort(int lo, int hi)
    {
        std::vector<int> places(size_t(hi - lo + 1));
        for (int k = 0; k < int(places.size()); ++k)
            places[k] = lo + k;
        std::stable_sort(places.begin(), places.end(), [this](int a, int b) { return compare(a, b) < 0; });
        std::vector<Key> keys;
        std::vector<int> order;
        keys.reserve(places.size());
        order.reserve(places.size());
        for (int s : places) {
            keys.push_back(std::move(m_keys[s]));
            order.push_back(m_order[s]);
        }
        std::move(keys.begin(), keys.end(), m_keys.begin() + lo);
        std::copy(order.begin(), order.end(), m_order.begin() + lo);
    }

    std::vector<Key> &m_keys;
    std::vector<int> &m_order;
    int m_direction;
};

template<typename Key>
void runQuickSort(std::vector<Key> &keys, std::vector<int> &order, int direction)
{
    if (keys.size() != order.size())
        return;
    QuickSort<Key>(keys, order, direction).run();
}

enum class KeyKind { Number, Date, Text };

KeyKind keyKindOf(const SheetColumn &column)
{
    if (column.IsValue())
        return KeyKind::Number;
    if (column.caption.contains(QLatin1String("Datum")))
        return KeyKind::Date;
    return KeyKind::Text;
}

// The first position after the subtree of the row at `pos` (rows below it with a greater
// Indent).
int subtreeEnd(const SheetRows &rows, int pos)
{
    const int indent = rows.at(pos)->Indent;
    int end = pos + 1;
    while (end <= rows.count() && rows.at(end)->Indent > indent)
        ++end;
    return end;
}

// Sorts the given sibling rows by their keys and returns their new order.
template<typename Key>
std::vector<int> sortedRoots(const SheetRows &rows, const std::vector<int> &roots, int direction,
                             Key (*keyOf)(QStringView), int col)
{
    std::vector<Key> keys;
    keys.reserve(roots.size());
    for (int pos : roots)
        keys.push_back(keyOf(rows.at(pos)->subTextView(col)));
    std::vector<int> order(roots);
    runQuickSort(keys, order, direction);
    return order;
}

QStringView textKey(QStringView cell)
{
    return cell;
}

} // namespace

void SheetSorter::quickSort(std::vector<double> &keys, std::vector<int> &order, int direction)
{
    runQuickSort(keys, order, direction);
}

void SheetSorter::quickSort(std::vector<QString> &keys, std::vector<int> &order, int direction)
{
    runQuickSort(keys, order, direction);
}

void SheetSorter::quickSort(std::vector<QStringView> &keys, std::vector<int> &order, int direction)
{
    runQuickSort(keys, order, direction);
}

double SheetSorter::numericKey(QStringView cell)
{
    // A raw-data string spares a copy per row; ParseNumber copies on write if it needs to.
    const double value = ParseNumber(QString::fromRawData(cell.data(), cell.size()));
    // NaN would break the ordering the sort relies on.
    return std::isnan(value) ? 0.0 : value;
}

QString SheetSorter::dateKey(QStringView cell)
{
    QString text = cell.toString();
    return DateTimeKey(text);
}

bool SheetSorter::sortColumn(SheetRows &rows, int col, const SheetColumn &column, int direction,
                             int pos1, int pos2)
{
    if (pos1 < 1 || pos1 > rows.count())
        return false;
    pos2 = std::min(pos2, rows.count());
    std::vector<int> roots;
    for (const SheetData *row = rows.at(pos1); row && row->Index() <= pos2; row = row->NextSibling())
        roots.push_back(row->Index());
    if (roots.empty())
        return false;

    std::vector<int> order;
    switch (keyKindOf(column)) {
    case KeyKind::Number:
        order = sortedRoots<double>(rows, roots, direction, &SheetSorter::numericKey, col);
        break;
    case KeyKind::Date:
        order = sortedRoots<QString>(rows, roots, direction, &SheetSorter::dateKey, col);
        break;
    case KeyKind::Text:
        order = sortedRoots<QStringView>(rows, roots, direction, &textKey, col);
        break;
    }

    // Each root's subtree reaches to the next root; the last one's to its own end.
    std::vector<int> endOf(size_t(rows.count()) + 2, 0);
    for (size_t k = 0; k < roots.size(); ++k)
        endOf[roots[k]] = k + 1 < roots.size() ? roots[k + 1] : subtreeEnd(rows, roots[k]);
    std::vector<SheetRows::RowPtr> rearranged;
    rearranged.reserve(size_t(endOf[roots.back()] - pos1));
    for (int root : order) {
        for (int pos = root; pos < endOf[root]; ++pos)
            rearranged.push_back(rows.ptr(pos));
    }
    rows.reorder(pos1, std::move(rearranged));
    return true;
}

int SheetSorter::sortPosition(const SheetRows &rows, const QString &srt)
{
    int lo = 1;
    int hi = rows.count() + 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (QString::compare(rows.at(mid)->Sort, srt, Qt::CaseSensitive) <= 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

void SheetSorter::sortByKeys(SheetRows &rows)
{
    if (rows.count() < 2)
        return;
    std::vector<SheetRows::RowPtr> sorted(rows.all());
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto &a, const auto &b) {
        return QString::compare(a->Sort, b->Sort, Qt::CaseSensitive) < 0;
    });
    rows.reorder(1, std::move(sorted));
}

} // namespace velk
