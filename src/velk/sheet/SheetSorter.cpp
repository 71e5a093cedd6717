#include "SheetSorter_p.h"

#include "SheetColumn.h"
#include "SheetRows_p.h"

#include <velk/common/CalendarHelpers.h>
#include <velk/common/LeadingNumber_p.h>
#include <velk/common/StringHelpers.h>

#include <algorithm>
#include <bit>
#include <cmath>

namespace velk {

namespace {

int sign(int c)
{
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

struct CompareNumbers
{
    int operator()(double a, double b) const { return a < b ? -1 : (a > b ? 1 : 0); }
};

// Texts compare by UTF-16 code units, as QString's case-sensitive comparison does.
struct CompareTexts
{
    int operator()(QStringView a, QStringView b) const { return sign(a.compare(b, Qt::CaseSensitive)); }
};

// A text key packed for sorting: its first four code units in one integer, so that most
// comparisons touch no text at all, and the rest in one shared buffer, so that those
// that do stay in one compact block instead of following every row's own string.
struct PackedText
{
    quint64 head = 0;   // code units 0..3, the first in the top bits, missing ones 0
    qsizetype tail = 0; // where units 4.. start in the buffer
    qsizetype length = 0;
};

constexpr qsizetype HeadUnits = 4;

struct ComparePacked
{
    const char16_t *buffer;

    int operator()(const PackedText &a, const PackedText &b) const
    {
        if (a.head != b.head)
            return a.head < b.head ? -1 : 1;
        // Equal heads: a text shorter than four units is a prefix of the other (the
        // padding matched real zero units), unless both are as long.
        const qsizetype clippedA = std::min(a.length, HeadUnits);
        const qsizetype clippedB = std::min(b.length, HeadUnits);
        if (clippedA != clippedB)
            return clippedA < clippedB ? -1 : 1;
        const QStringView tailA(buffer + a.tail, std::max<qsizetype>(a.length - HeadUnits, 0));
        const QStringView tailB(buffer + b.tail, std::max<qsizetype>(b.length - HeadUnits, 0));
        return sign(tailA.compare(tailB, Qt::CaseSensitive));
    }
};

// Ranges up to this size always run the plain quicksort, however it degenerates: their
// worst case is cheap, and they keep the exact arrangement of equal keys.
constexpr int SmallRange = 64;
// One-sided partitions in a row before a large range counts as degenerate. On keys in
// random order a partition leaves a side empty only when the pivot is the range's least
// or greatest key, so three in a row practically never happen there.
constexpr int MaxOneSided = 3;

// The quicksort over keys with a parallel position array. Partitioning follows one fixed
// scheme step by step (pivot = last element, the i scan before the j scan, the
// direction multiplied into every comparison), because that decides where equal keys
// end up. Two kinds of range are settled without partitioning, with the same result:
// a range already in order (the partition would peel one pivot off its end at a time
// and move nothing) and a strictly falling range (all keys differ, so its sorted order
// is unique). A large range that still degenerates is finished by a stable sort: after
// a few partitions in a row that leave one side empty (a falling range with equal keys,
// as sorting a column a second time gives), or past a depth budget as in introsort.
template<typename Key, typename Compare>
class QuickSort
{
public:
    QuickSort(std::vector<Key> &keys, std::vector<int> &order, int direction, Compare compare)
        : m_keys(keys), m_order(order), m_direction(direction < 0 ? -1 : 1), m_compare(compare)
    {
    }

    void run()
    {
        const int n = int(m_keys.size());
        if (n > 1)
            sort(0, n - 1, 2 * std::bit_width(unsigned(n)) + 4, 0);
    }

private:
    int compare(int a, int b) const { return m_direction * m_compare(m_keys[a], m_keys[b]); }

    void swapAt(int a, int b)
    {
        std::swap(m_keys[a], m_keys[b]);
        std::swap(m_order[a], m_order[b]);
    }

    // `oneSided` counts the one-sided partitions that led to this range.
    void sort(int lo, int hi, int budget, int oneSided)
    {
        while (lo < hi) {
            const int trend = trendOf(lo, hi);
            if (trend > 0)
                return;
            if (trend < 0) {
                reverse(lo, hi);
                return;
            }
            if (hi - lo >= SmallRange && (budget == 0 || oneSided >= MaxOneSided)) {
                stableSort(lo, hi);
                return;
            }
            budget = std::max(budget - 1, 0);
            const int p = partition(lo, hi);
            oneSided = (p == lo || p == hi) ? oneSided + 1 : 0;
            // When the right side is empty the left one carries on the run.
            sort(lo, p - 1, budget, p == hi ? oneSided : 0);
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
    Compare m_compare;
};

template<typename Key, typename Compare>
void runQuickSort(std::vector<Key> &keys, std::vector<int> &order, int direction, Compare compare)
{
    if (keys.size() != order.size())
        return;
    QuickSort<Key, Compare>(keys, order, direction, compare).run();
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
    SheetSorter::quickSort(keys, order, direction);
    return order;
}

QStringView textKey(QStringView cell)
{
    return cell;
}

std::vector<int> identityOrder(size_t n)
{
    std::vector<int> places(n);
    for (size_t k = 0; k < n; ++k)
        places[k] = int(k);
    return places;
}

// Rearranges `keys` and `order` as `places` (old indexes in their new order) says.
template<typename Key>
void applyPlaces(std::vector<Key> &keys, std::vector<int> &order, const std::vector<int> &places)
{
    std::vector<Key> sortedKeys;
    std::vector<int> sortedOrder;
    sortedKeys.reserve(keys.size());
    sortedOrder.reserve(keys.size());
    for (int p : places) {
        sortedKeys.push_back(std::move(keys[size_t(p)]));
        sortedOrder.push_back(order[size_t(p)]);
    }
    keys.swap(sortedKeys);
    order.swap(sortedOrder);
}

} // namespace

void SheetSorter::quickSort(std::vector<double> &keys, std::vector<int> &order, int direction)
{
    runQuickSort(keys, order, direction, CompareNumbers());
}

void SheetSorter::quickSort(std::vector<QString> &keys, std::vector<int> &order, int direction)
{
    if (keys.size() != order.size())
        return;
    std::vector<QStringView> views(keys.begin(), keys.end());
    std::vector<int> places = identityOrder(keys.size());
    quickSort(views, places, direction);
    applyPlaces(keys, order, places);
}

void SheetSorter::quickSort(std::vector<QStringView> &keys, std::vector<int> &order, int direction)
{
    if (keys.size() != order.size())
        return;
    // Units every key begins with decide nothing; the head starts after them, so that
    // keys such as "Zeile 1", "Zeile 2" differ in it.
    qsizetype common = keys.empty() ? 0 : keys.front().size();
    for (QStringView key : keys) {
        qsizetype u = 0;
        while (u < common && u < key.size() && key[u] == keys.front()[u])
            ++u;
        common = u;
    }
    qsizetype tailUnits = 0;
    for (QStringView key : keys)
        tailUnits += std::max<qsizetype>(key.size() - common - HeadUnits, 0);
    std::vector<char16_t> buffer;
    buffer.reserve(size_t(tailUnits));
    std::vector<PackedText> packed(keys.size());
    for (size_t k = 0; k < keys.size(); ++k) {
        const QStringView key = keys[k].mid(common);
        PackedText &p = packed[k];
        for (qsizetype u = 0; u < HeadUnits; ++u)
            p.head = (p.head << 16) | (u < key.size() ? key[u].unicode() : 0u);
        p.length = key.size();
        p.tail = qsizetype(buffer.size());
        if (key.size() > HeadUnits)
            buffer.insert(buffer.end(), key.utf16() + HeadUnits, key.utf16() + key.size());
    }
    std::vector<int> places = identityOrder(keys.size());
    runQuickSort(packed, places, direction, ComparePacked{buffer.data()});
    applyPlaces(keys, order, places);
}

double SheetSorter::numericKey(QStringView cell)
{
    // ParseNumber's reading without its copies, which cost more than the sort itself on a
    // million rows: "." is dropped when the text holds both "." and ",", "," reads as the
    // decimal point and "%" is skipped; LeadingNumber reads the rest. Longer texts than
    // the buffer (no amount is) go through ParseNumber itself.
    constexpr qsizetype bufferSize = 64;
    double value = 0;
    if (cell.size() <= bufferSize) {
        char16_t buffer[bufferSize];
        const bool dropDots = cell.contains(u'.') && cell.contains(u',');
        qsizetype n = 0;
        for (const QChar c : cell) {
            if (c == u'%' || (dropDots && c == u'.'))
                continue;
            buffer[n++] = c == u',' ? u'.' : c.unicode();
        }
        value = LeadingNumber(QStringView(buffer, n));
    } else {
        value = ParseNumber(QString::fromRawData(cell.data(), cell.size()));
    }
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
    std::vector<int> rearranged;
    rearranged.reserve(size_t(endOf[roots.back()] - pos1));
    for (int root : order) {
        for (int pos = root; pos < endOf[root]; ++pos)
            rearranged.push_back(pos);
    }
    rows.reorder(pos1, rearranged);
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
    std::vector<int> positions(size_t(rows.count()));
    for (int k = 0; k < rows.count(); ++k)
        positions[size_t(k)] = k + 1;
    std::stable_sort(positions.begin(), positions.end(), [&rows](int a, int b) {
        return QString::compare(rows.at(a)->Sort, rows.at(b)->Sort, Qt::CaseSensitive) < 0;
    });
    rows.reorder(1, positions);
}

} // namespace velk
