#include "DataSource_p.h"

#include <QDate>
#include <QDateTime>
#include <QHash>

#include <algorithm>

namespace velk::data {

namespace {

class MemoryRecords final : public RecordSource
{
public:
    MemoryRecords(std::vector<QString> names, std::vector<int> types, std::vector<std::vector<Cell>> rows)
        : m_names(std::move(names))
        , m_types(std::move(types))
        , m_rows(std::move(rows))
    {
    }

    int count() const override { return int(m_rows.size()); }
    bool atEnd() const override { return m_row >= m_rows.size(); }
    void first() override { m_row = 0; }
    void next() override { m_row = std::min(m_row + 1, m_rows.size()); }
    int fieldCount() const override { return int(m_names.size()); }
    QString fieldName(int i) const override { return m_names[i]; }
    int fieldType(int i) const override { return m_types[i]; }
    QString text(int i) const override { return m_rows[m_row][i].text; }
    QVariant value(int i) const override { return m_rows[m_row][i].value; }

private:
    std::vector<QString> m_names;
    std::vector<int> m_types;
    std::vector<std::vector<Cell>> m_rows;
    size_t m_row = 0;
};

bool isNumber(const QVariant &v)
{
    switch (v.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

bool isDateValue(const QVariant &v)
{
    return v.metaType().id() == QMetaType::QDate || v.metaType().id() == QMetaType::QDateTime;
}

// Pivot columns ascend: NULL first, then numbers by value, dates by date, texts binary.
bool pivotBefore(const Cell &a, const Cell &b)
{
    if (a.value.isNull() != b.value.isNull())
        return a.value.isNull();
    if (isNumber(a.value) && isNumber(b.value))
        return a.value.toDouble() < b.value.toDouble();
    if (isDateValue(a.value) && isDateValue(b.value))
        return a.value.toDateTime() < b.value.toDateTime();
    return a.text < b.text;
}

QString rowKey(const std::vector<Cell> &leading)
{
    QString key;
    for (const Cell &c : leading) {
        key += c.value.isNull() ? QStringLiteral("\x01") : QStringLiteral("\x02") + c.text;
        key += u'\x1f';
    }
    return key;
}

} // namespace

std::unique_ptr<RecordSource> memorySource(std::vector<QString> names, std::vector<int> types,
                                           std::vector<std::vector<Cell>> rows)
{
    return std::make_unique<MemoryRecords>(std::move(names), std::move(types), std::move(rows));
}

std::unique_ptr<RecordSource> pivoted(RecordSource &source)
{
    const int fields = source.fieldCount();
    const int leading = std::max(0, fields - 2);
    std::vector<QString> names;
    std::vector<int> types;
    for (int i = 0; i < leading; ++i) {
        names.push_back(source.fieldName(i));
        types.push_back(source.fieldType(i));
    }
    if (fields < 2)
        return memorySource(names, types, {});

    struct Entry
    {
        int row;
        Cell pivot;
        Cell value;
    };
    std::vector<std::vector<Cell>> rows;
    std::vector<Entry> entries;
    QHash<QString, int> rowOfKey;
    for (source.first(); !source.atEnd(); source.next()) {
        std::vector<Cell> lead;
        lead.reserve(leading);
        for (int i = 0; i < leading; ++i)
            lead.push_back({source.text(i), source.value(i)});
        const QString key = rowKey(lead);
        auto it = rowOfKey.constFind(key);
        if (it == rowOfKey.cend()) {
            it = rowOfKey.insert(key, int(rows.size()));
            rows.push_back(std::move(lead));
        }
        entries.push_back({it.value(), {source.text(fields - 2), source.value(fields - 2)},
                           {source.text(fields - 1), source.value(fields - 1)}});
    }

    // The distinct pivot values, sorted, become the fields after the leading ones.
    std::vector<Cell> pivots;
    QHash<QString, int> columnOfPivot;
    for (const Entry &e : entries) {
        const QString name = e.pivot.value.isNull() ? SqlDialect::nullPivotName() : e.pivot.text;
        if (!columnOfPivot.contains(name)) {
            columnOfPivot.insert(name, 0);
            pivots.push_back({name, e.pivot.value});
        }
    }
    std::stable_sort(pivots.begin(), pivots.end(), pivotBefore);
    for (int i = 0; i < int(pivots.size()); ++i) {
        columnOfPivot[pivots[i].text] = leading + i;
        names.push_back(pivots[i].text);
        types.push_back(source.fieldType(fields - 1));
    }
    for (auto &row : rows)
        row.resize(names.size());
    for (Entry &e : entries) {
        const QString name = e.pivot.value.isNull() ? SqlDialect::nullPivotName() : e.pivot.text;
        rows[e.row][columnOfPivot.value(name)] = std::move(e.value);
    }
    return memorySource(std::move(names), std::move(types), std::move(rows));
}

} // namespace velk::data
