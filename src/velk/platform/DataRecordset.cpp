#include "DataRecordset.h"

#include "DataRecordset_p.h"

namespace velk {

DataRecordset::DataRecordset(std::unique_ptr<Private> data)
    : d(std::move(data))
{
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
