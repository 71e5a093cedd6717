#pragma once

#include <velk/velk_export.h>

#include <QString>

namespace velk {

/// Translates the SQL the views build into what a backend accepts, in one pass over the
/// text; quoted text ('...', "...") and comments are copied unchanged.
///
/// - `#m/d/yyyy#` (optionally with a time `h:mm[:ss]`) becomes a date literal: ISO text
///   ('2024-03-01') for SQLite, whose dates are ISO text; `DATE '2024-03-01'` (or
///   `TIMESTAMP '…'`) in standard SQL. A '#' that does not start such a literal stays.
/// - `Year(x)`, `Month(x)`, `Day(x)` become integer expressions.
/// - `[name]` becomes the quoted identifier `"name"`.
/// - `TRANSFORM agg [AS alias] SELECT list FROM … GROUP BY g1 PIVOT g2` becomes
///   `SELECT list, g2 AS velk_pivot, agg AS velk_value FROM … GROUP BY g1, g2`, and
///   `pivot` is set: the caller turns the rows into one field per g2 value.
/// - A top-level GROUP BY without ORDER BY gets `ORDER BY` its groups, NULLs first, so
///   every backend returns the same rows in the same order.
/// Malformed text is passed on as it is (the backend reports it); nothing is dropped.
class VELK_TESTS_EXPORT SqlDialect
{
public:
    enum class Flavor { Sqlite, Standard };

    struct Translation
    {
        QString sql;
        bool pivot = false; ///< the last two fields are the pivot value and the cell value
    };

    static Translation translate(const QString &sql, Flavor flavor);

    /// The name the pivot step gives the field of a NULL pivot value.
    static QString nullPivotName() { return QStringLiteral("<>"); }
};

} // namespace velk
