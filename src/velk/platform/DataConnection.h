#pragma once

#include <velk/platform/DataRecordset.h>
#include <velk/velk_export.h>

#include <QString>

#include <memory>

namespace velk {

/// A connection to a database, as the data views use it: Open with a kind and a
/// connection text, then OpenRecordset for each query. The SQL the views write
/// (`#mm/dd/yyyy#` date literals, `Year()`/`Month()`/`Day()`, `[name]`,
/// `TRANSFORM … PIVOT` cross tables) is translated for the backend, and a GROUP BY
/// without ORDER BY is ordered by its groups, so every backend gives the same rows.
///
/// Kinds (case-insensitive):
/// - "sqlite": the connection text is the path of an SQLite file; a missing file is an
///   error, never created.
/// - "psql": a PostgreSQL connection text as libpq takes it ("host=… dbname=… user=…";
///   host may be a socket folder).
/// - "odbc": an ODBC connection string ("Driver={…};Servername=…;…") or a DSN.
/// - "ADO": an SQLite path when the text has no "=", else an ODBC connection string.
///
/// Failures return false and leave a German text in lastError(); nothing throws.
/// Record sets keep what they need of the connection, so they stay valid after Reset.
class VELK_EXPORT DataConnection
{
public:
    DataConnection();
    ~DataConnection();
    DataConnection(const DataConnection &) = delete;
    DataConnection &operator=(const DataConnection &) = delete;

    /// Closes the connection and clears lastError().
    void Reset();
    /// Opens a connection of `kind` (after closing any open one); false on failure.
    bool Open(const QString &kind, const QString &connection);
    bool isOpen() const;

    /// Runs `sql` and hands its rows to `rs` (replacing what it held; nullptr on failure).
    /// A bare table name ("Belege", "[Belege]") gives the table's fields without reading
    /// its rows. `mode` is accepted for callers that pass one; every set reads forward and
    /// can return to its first row. One statement per call; statements that return no
    /// rows (CREATE, INSERT, …) give an empty set.
    bool OpenRecordset(const QString &sql, int mode, std::unique_ptr<DataRecordset> &rs);

    /// The reason of the last failure, "" after a success.
    QString lastError() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
