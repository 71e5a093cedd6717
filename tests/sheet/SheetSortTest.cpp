#include <velk/common/StringHelpers.h>
#include <velk/sheet/SheetModel_p.h>
#include <velk/sheet/SheetQuery_p.h>
#include <velk/sheet/SheetSorter_p.h>

#include "support/TestSupport.h"

#include <algorithm>
#include <random>

using namespace velk;

namespace {

// The quicksort exactly as the sheet describes it, without any shortcut, to check that
// the sheet's shortcuts leave equal keys where the plain algorithm puts them.
int compareKeys(double a, double b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

int compareKeys(const QString &a, const QString &b)
{
    const int c = QString::compare(a, b, Qt::CaseSensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

template<typename Key>
void plainQuickSort(std::vector<Key> &k, std::vector<int> &o, int dir, int lo, int hi)
{
    if (lo >= hi)
        return;
    auto cmp = [&](int a, int b) { return dir * compareKeys(k[a], k[b]); };
    int i = lo, j = hi - 1;
    for (;;) {
        while (cmp(i, hi) < 1 && i < hi)
            ++i;
        while (cmp(hi, j) < 1 && j > lo)
            --j;
        if (i >= j)
            break;
        std::swap(k[i], k[j]);
        std::swap(o[i], o[j]);
    }
    std::swap(k[i], k[hi]);
    std::swap(o[i], o[hi]);
    plainQuickSort(k, o, dir, lo, i - 1);
    plainQuickSort(k, o, dir, i + 1, hi);
}

std::vector<int> identity(size_t n)
{
    std::vector<int> o(n);
    for (size_t i = 0; i < n; ++i)
        o[i] = int(i);
    return o;
}

QStringList texts(const SheetModel &model, int col = 1)
{
    QStringList out;
    for (const auto &row : model.rows().all())
        out << row->GetSubText(col);
    return out;
}

} // namespace

TEST(SheetSorter, SmallInputsEndExactlyAsThePlainQuicksortLeavesThem)
{
    std::mt19937 random(11);
    for (int round = 0; round < 3000; ++round) {
        const int n = 2 + int(random() % 40);
        const int distinct = 1 + int(random() % 5);
        std::vector<double> keys(size_t(n), 0.0);
        for (double &key : keys)
            key = double(random() % distinct);
        if (round % 4 == 1)
            std::sort(keys.begin(), keys.end());
        if (round % 4 == 2)
            std::sort(keys.rbegin(), keys.rend());
        const int dir = round % 2 ? 1 : -1;
        std::vector<double> k1 = keys, k2 = keys;
        std::vector<int> o1 = identity(keys.size()), o2 = o1;
        plainQuickSort(k1, o1, dir, 0, n - 1);
        SheetSorter::quickSort(k2, o2, dir);
        ASSERT_EQ(o2, o1) << "round " << round;
    }

    // Text keys go through a packed form; it must order exactly as the strings do,
    // zero units, surrogates and shared beginnings included.
    const char16_t alphabet[] = {u'a', u'b', u'B', 0, 0xD800, 0xFFFF};
    for (int round = 0; round < 2000; ++round) {
        const int n = 2 + int(random() % 40);
        const QString common = round % 3 ? QStringLiteral("Zeile ") : QString();
        std::vector<QString> keys;
        for (int k = 0; k < n; ++k) {
            QString key = common;
            for (int u = int(random() % 7); u > 0; --u)
                key += QChar(alphabet[random() % 6]);
            keys.push_back(key);
        }
        const int dir = round % 2 ? 1 : -1;
        std::vector<QString> k1 = keys, k2 = keys;
        std::vector<int> o1 = identity(keys.size()), o2 = o1;
        plainQuickSort(k1, o1, dir, 0, n - 1);
        SheetSorter::quickSort(k2, o2, dir);
        ASSERT_EQ(o2, o1) << "text round " << round;
        ASSERT_EQ(k2, k1) << "text round " << round;
    }
}

TEST(SheetSorter, LargeDegenerateInputsStaySortedAndFast)
{
    const int n = 200000;
    const struct
    {
        const char *name;
        std::function<double(int)> key;
    } shapes[] = {
        {"all equal", [](int) { return 1.0; }},
        {"ascending", [](int i) { return double(i); }},
        {"descending", [n](int i) { return double(n - i); }},
        {"two values, reversed runs", [n](int i) { return i < n / 2 ? 2.0 : 1.0; }},
        {"sawtooth", [](int i) { return double(i % 1000); }},
    };
    for (const auto &shape : shapes) {
        SCOPED_TRACE(shape.name);
        for (int dir : {1, -1}) {
            std::vector<double> keys(n);
            for (int i = 0; i < n; ++i)
                keys[size_t(i)] = shape.key(i);
            std::vector<int> order = identity(keys.size());
            SheetSorter::quickSort(keys, order, dir);
            auto inOrder = [dir](double a, double b) { return dir > 0 ? a < b : a > b; };
            EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end(), inOrder));
            std::sort(order.begin(), order.end());
            EXPECT_EQ(order, identity(keys.size()));
        }
    }
}

TEST(SheetSorter, NumericKeysReadAmountsAsParseNumberDoes)
{
    const char *texts[] = {"1.234,50", "12.345.678,90", "-3,5", "+7", "1.5", "1,5", "50 %", "1.000",
                           "  42,1x", "abc", "", ",5", ".", "9,99%", "1.2.3", "1,2,3",
                           "123456789012345678901234567890123456789012345678901234567890123456789,5"};
    for (const char *text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(SheetSorter::numericKey(QString::fromLatin1(text)), ParseNumber(QString::fromLatin1(text)));
    }
}

TEST(SheetSort, QuickSortDirectionKeysAndRange)
{
    SheetModel model;
    model.setColumns(QStringLiteral("Name:1000,Betrag:800r,Datum:900"));
    const char *rows[][3] = {{"b", "1.000,5", "02.01.2024"}, {"B", "20", "31.12.2023 10:00:00"},
                             {"a", "3,25", "02.01.2024 09:30:00"}, {"c", "x", "1.1.24"}};
    for (const auto &r : rows)
        model.addItem(QStringLiteral("%1\t%2\t%3").arg(r[0], r[1], r[2]));
    model.setSelectedIndex(1);

    model.quickSort(2);
    EXPECT_EQ(texts(model, 2), QStringList({"x", "3,25", "20", "1.000,5"}));
    EXPECT_EQ(model.quickSortDirection(), 1);
    EXPECT_EQ(model.selected()->GetSubText(1), QStringLiteral("b")); // the current row moved along
    model.quickSort(2);
    EXPECT_EQ(model.quickSortDirection(), -1);
    EXPECT_EQ(texts(model, 2), QStringList({"1.000,5", "20", "3,25", "x"}));
    model.quickSort(2);
    EXPECT_EQ(model.quickSortDirection(), 1);

    model.quickSort(1); // a new column starts ascending; character codes put "B" first
    EXPECT_EQ(texts(model), QStringList({"B", "a", "b", "c"}));
    model.quickSort(3, 1);
    EXPECT_EQ(texts(model), QStringList({"B", "c", "b", "a"}));
    model.quickSort(1, -1, 2, 3); // rows 2..3 only
    EXPECT_EQ(texts(model), QStringList({"B", "c", "b", "a"}));
    model.quickSort(1, 1, 2, 3);
    EXPECT_EQ(texts(model), QStringList({"B", "b", "c", "a"}));

    EXPECT_FALSE(model.quickSort(4));
    EXPECT_FALSE(model.quickSort(0));
    EXPECT_EQ(model.quickSortColumn(), 1);
    model.sortSetMarker(2, -1);
    EXPECT_EQ(model.quickSortDirection(), -1);
    EXPECT_EQ(texts(model), QStringList({"B", "b", "c", "a"}));
    model.clear();
    EXPECT_EQ(model.quickSortDirection(), 1);
    EXPECT_FALSE(model.quickSort(1));
}

TEST(SheetSort, SubtreesMoveWithTheirRowsAndOnlySiblingsAreSorted)
{
    SheetModel model;
    const struct
    {
        const char *text;
        int indent;
    } rows[] = {{"vor", 0}, {"Z", 0}, {"z2", 1}, {"z1", 1}, {"z1a", 2}, {"M", 0}, {"A", 0}, {"a1", 1}};
    for (const auto &r : rows)
        model.addItem(QString::fromLatin1(r.text), QString(), r.indent);

    model.quickSort(1, 1, 2);
    EXPECT_EQ(texts(model), QStringList({"vor", "A", "a1", "M", "Z", "z2", "z1", "z1a"}));

    // Children of "Z" (now at 5) are sorted among themselves; "z1" keeps its child.
    model.quickSort(1, 1, 6);
    EXPECT_EQ(texts(model), QStringList({"vor", "A", "a1", "M", "Z", "z1", "z1a", "z2"}));
    EXPECT_EQ(model.rows().at(7)->Parent(), model.rows().at(6));
    EXPECT_EQ(model.rows().at(8)->Index(), 8);
}

TEST(SheetSort, SortKeysPlaceRowsByBinarySearch)
{
    SheetModel model;
    model.addSortItem(QStringLiteral("m"), QStringLiteral("m"));
    model.addSortItem(QStringLiteral("z"), QStringLiteral("z"));
    model.addSortItem(QStringLiteral("c"), QStringLiteral("c"));
    model.addSortItem(QStringLiteral("m"), QStringLiteral("m2")); // after the equal key
    model.addSortItem(QStringLiteral("A"), QStringLiteral("A"));
    EXPECT_EQ(texts(model), QStringList({"A", "c", "m", "m2", "z"}));
    EXPECT_EQ(model.newIndex(), 1);

    model.setSelectedIndex(2);
    EXPECT_TRUE(model.setSort(2, QStringLiteral("n")));
    EXPECT_EQ(texts(model), QStringList({"A", "m", "m2", "c", "z"}));
    EXPECT_EQ(model.selectedIndex(), 4);
    EXPECT_FALSE(model.setSort(9, QStringLiteral("x")));

    model.rows().at(1)->Sort = QStringLiteral("zz");
    model.rows().at(3)->Sort = QStringLiteral("m");
    model.sort();
    EXPECT_EQ(texts(model), QStringList({"m", "m2", "c", "z", "A"})); // equal keys keep their order
}

TEST(SheetSort, QueryGroupsRowsUnderYellowHeaders)
{
    EXPECT_EQ(SheetQuery::groupName(QStringLiteral("(Typ)")), QStringLiteral("Typ"));
    EXPECT_EQ(SheetQuery::groupName(QStringLiteral("(Typ")), QStringLiteral("Typ"));
    bool ok = true;
    EXPECT_EQ(SheetQuery::groupName(QStringLiteral("Typ"), &ok), QString());
    EXPECT_FALSE(ok);
    EXPECT_EQ(SheetQuery::groupValue(u"Typ=Brief,Jahr=2024", QStringLiteral("Jahr")), QStringLiteral("2024"));
    EXPECT_EQ(SheetQuery::groupValue(u"Typ=Brief,Jahr=2024", QStringLiteral("Typ")), QStringLiteral("Brief,Jahr=2024"));
    EXPECT_EQ(SheetQuery::groupValue(u"XTyp=A", QStringLiteral("Typ")), QString());

    SheetModel model;
    for (const char *t : {"1\tTyp=Rechnung", "2\tTyp=Brief", "3\tohne", "4\tTyp=Rechnung"})
        model.addItem(QString::fromLatin1(t));
    model.query(QStringLiteral("(Typ)"), 2);
    EXPECT_EQ(texts(model), QStringList({"3", "^Gruppierung: Brief", "2", "^Gruppierung: Rechnung", "1", "4"}));
    EXPECT_EQ(model.rows().at(2)->BackColor, rgbColor(255, 255, 0));
    EXPECT_EQ(model.rows().at(3)->BackColor, NoColor);

    // Grouping again replaces the headers instead of adding more.
    model.query(QStringLiteral("(Typ)"), 2);
    EXPECT_EQ(model.count(), 6);
    model.query(QStringLiteral("Volltext"), 2);
    EXPECT_EQ(model.count(), 6);
    EXPECT_EQ(model.queryText(), QStringLiteral("Volltext"));
}
