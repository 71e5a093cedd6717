#pragma once

#include <velk/velk_export.h>

#include <QString>
#include <QVariant>

#include <memory>

namespace velk {

/// The rows of one query, opened by DataConnection::OpenRecordset. It reads forward
/// (MoveNext) and can return to its first row (MoveFirst); it is read-only.
///
/// Fields are addressed by name, ignoring case (a server may fold `Wert` to `wert`), or
/// by 1-based position. Past the last row and for unknown names, GetValue gives "" and
/// GetVal a null QVariant; nothing throws.
///
/// Type codes of FieldType: 7 date, 135 date-time, 202 text, 203 long text (unbounded
/// text), 134 time, 205 binary; numbers 2 small integer, 3 integer, 20 big integer,
/// 5 double, 6 currency, 11 boolean, 131 decimal.
class VELK_EXPORT DataRecordset
{
public:
    ~DataRecordset();
    DataRecordset(const DataRecordset &) = delete;
    DataRecordset &operator=(const DataRecordset &) = delete;

    /// 0 exactly when the set is empty. A set that streams its rows may answer -1 until
    /// MoveNext has reached its end; then it gives the number of rows.
    int RecordCount() const;
    /// Back to the first row (a no-op when already there or empty).
    void MoveFirst();
    /// True past the last row (at once for an empty set).
    bool Eof() const;
    /// To the next row; past the last row it stays at the end.
    void MoveNext();

    /// The field's value as text: NULL "", decimals with "," and no grouping (12,5),
    /// dates "dd.mm.yyyy", date-times "dd.mm.yyyy hh:mm:ss", booleans "-1"/"0".
    QString GetValue(const QString &name) const;
    /// The field's raw value (numbers as numbers, dates as QDate/QDateTime); null for NULL.
    QVariant GetVal(const QString &name) const;

    int FieldCount() const;
    /// Name and type code of field `index` (1-based); "" and 0 when out of range.
    QString FieldName(int index) const;
    int FieldType(int index) const;

private:
    friend class DataConnection;
    struct Private;
    explicit DataRecordset(std::unique_ptr<Private> data);

    std::unique_ptr<Private> d;
};

} // namespace velk
