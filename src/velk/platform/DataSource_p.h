#pragma once

// The backends behind DataConnection and DataRecordset: an open database and the rows of
// one query, read forward with a way back to the first row.

#include <velk/platform/SqlDialect_p.h>
#include <velk/velk_export.h>

#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

namespace velk::data {

/// Type codes of the record sets' fields.
namespace TypeCode {
inline constexpr int SmallInt = 2;
inline constexpr int Integer = 3;
inline constexpr int Double = 5;
inline constexpr int Currency = 6;
inline constexpr int Date = 7;
inline constexpr int Boolean = 11;
inline constexpr int BigInt = 20;
inline constexpr int Numeric = 131;
inline constexpr int Time = 134;
inline constexpr int DateTime = 135;
inline constexpr int Text = 202;
inline constexpr int LongText = 203;
inline constexpr int Binary = 205;
} // namespace TypeCode

/// The rows of one query. Field indices are 0-based here; callers check them.
class RecordSource
{
public:
    virtual ~RecordSource() = default;
    /// The number of rows, -1 while a streaming source has not reached its end.
    virtual int count() const = 0;
    virtual bool atEnd() const = 0;
    virtual void first() = 0;
    virtual void next() = 0;
    virtual int fieldCount() const = 0;
    virtual QString fieldName(int i) const = 0;
    virtual int fieldType(int i) const = 0;
    /// The current row's field as text and as raw value; only called when not at the end.
    virtual QString text(int i) const = 0;
    virtual QVariant value(int i) const = 0;
};

/// An open database.
class Backend
{
public:
    virtual ~Backend() = default;
    virtual SqlDialect::Flavor flavor() const = 0;
    /// Runs one statement; nullptr with `error` set when it fails.
    virtual std::unique_ptr<RecordSource> query(const QString &sql, QString &error) = 0;
    /// The fields of `table` without reading its rows.
    virtual std::unique_ptr<RecordSource> tableFields(const QString &table, QString &error) = 0;
};

std::shared_ptr<Backend> openSqlite(const QString &path, QString &error);
/// `driver` is a Qt SQL driver name ("QPSQL", "QODBC").
std::shared_ptr<Backend> openQtSql(const QString &driver, const QString &connection, QString &error);

/// Rows read into memory, fields named and typed by the caller.
struct Cell
{
    QString text;
    QVariant value;
};
std::unique_ptr<RecordSource> memorySource(std::vector<QString> names, std::vector<int> types,
                                           std::vector<std::vector<Cell>> rows);

/// Reads `source` (whose last two fields are the pivot value and the cell value) into one
/// row per distinct leading fields and one field per pivot value, ascending.
std::unique_ptr<RecordSource> pivoted(RecordSource &source);

/// The texts values are shown as: NULL "", decimals with "," and no grouping, dates
/// "dd.mm.yyyy", date-times "dd.mm.yyyy hh:mm:ss" (a midnight date-time as its date).
VELK_TESTS_EXPORT QString valueText(const QVariant &value);
VELK_TESTS_EXPORT QString decimalText(double value);
/// UTF-8 "yyyy-mm-dd[ hh:mm[:ss]]" shown as a date text (a midnight time left out);
/// other text as it is.
QString isoDateText(const char *text, int size);
/// The type code of a declared column type ("VARCHAR(40)", "DATE", "INTEGER", ...).
int typeCodeOfDeclared(const QString &declared);

} // namespace velk::data
