#include "DataRecordset.h"

#include "DataSource_p.h"

#include <vector>

namespace velk {

struct DataRecordset::Private
{
    std::unique_ptr<data::RecordSource> source;
    std::vector<QString> names;
    // Spellings already resolved, with their field: a loop asking for the same names
    // row after row finds them by an exact comparison.
    mutable std::vector<std::pair<QString, int>> resolved;

    // The field index of `name`, -1 when there is none.
    int indexOf(const QString &name) const
    {
        for (const auto &[spelling, index] : resolved) {
            if (spelling.size() == name.size() && spelling == name)
                return index;
        }
        for (int i = 0; i < int(names.size()); ++i) {
            if (names[i].compare(name, Qt::CaseInsensitive) == 0) {
                if (resolved.size() < names.size() + 64)
                    resolved.emplace_back(name, i);
                return i;
            }
        }
        return -1;
    }
};

DataRecordset::DataRecordset(std::unique_ptr<data::RecordSource> source)
    : d(std::make_unique<Private>())
{
    d->source = std::move(source);
    const int n = d->source->fieldCount();
    d->names.reserve(n);
    for (int i = 0; i < n; ++i) {
        d->names.push_back(d->source->fieldName(i));
        d->resolved.emplace_back(d->names.back(), i);
    }
}

DataRecordset::~DataRecordset() = default;

int DataRecordset::RecordCount() const { return d->source->count(); }
void DataRecordset::MoveFirst() { d->source->first(); }
bool DataRecordset::Eof() const { return d->source->atEnd(); }
void DataRecordset::MoveNext() { d->source->next(); }

QString DataRecordset::GetValue(const QString &name) const
{
    const int i = d->indexOf(name);
    return i < 0 || d->source->atEnd() ? QString() : d->source->text(i);
}

QVariant DataRecordset::GetVal(const QString &name) const
{
    const int i = d->indexOf(name);
    return i < 0 || d->source->atEnd() ? QVariant() : d->source->value(i);
}

int DataRecordset::FieldCount() const { return int(d->names.size()); }

QString DataRecordset::FieldName(int index) const
{
    return index >= 1 && index <= FieldCount() ? d->names[index - 1] : QString();
}

int DataRecordset::FieldType(int index) const
{
    return index >= 1 && index <= FieldCount() ? d->source->fieldType(index - 1) : 0;
}

} // namespace velk
