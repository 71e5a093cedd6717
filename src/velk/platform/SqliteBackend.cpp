#include "DataSource_p.h"

#include <QDate>
#include <QDateTime>
#include <QFileInfo>

#include <sqlite3.h>

namespace velk::data {

namespace {

struct SqliteHandle
{
    sqlite3 *db = nullptr;
    ~SqliteHandle() { sqlite3_close_v2(db); }
};

QString sqliteError(sqlite3 *db) { return QString::fromUtf8(sqlite3_errmsg(db)); }

// Streams the rows of a prepared statement. The first row is stepped to at once, so an
// empty result is known (count 0) while a non-empty one says -1 until its end.
class SqliteRecords final : public RecordSource
{
public:
    SqliteRecords(std::shared_ptr<SqliteHandle> db, sqlite3_stmt *stmt)
        : m_db(std::move(db))
        , m_stmt(stmt)
    {
        const int n = sqlite3_column_count(stmt);
        m_names.reserve(n);
        m_types.reserve(n);
        for (int i = 0; i < n; ++i) {
            m_names.push_back(QString::fromUtf8(sqlite3_column_name(stmt, i)));
            const char *declared = sqlite3_column_decltype(stmt, i);
            m_types.push_back(declared ? typeCodeOfDeclared(QString::fromUtf8(declared)) : 0);
        }
    }
    ~SqliteRecords() override { sqlite3_finalize(m_stmt); }

    /// Steps to the first row; false with `error` when the statement fails.
    bool start(QString &error)
    {
        if (!stepRow()) {
            if (m_failed) {
                error = sqliteError(m_db->db);
                return false;
            }
        }
        settleExpressionTypes();
        return true;
    }

    /// A set of fields only: no row is read.
    void fieldsOnly()
    {
        m_count = 0;
        for (int &type : m_types) {
            if (type == 0)
                type = TypeCode::Numeric;
        }
    }

    int count() const override { return m_count; }
    bool atEnd() const override { return !m_hasRow; }

    void first() override
    {
        if (m_row == 0 || m_count == 0)
            return;
        sqlite3_reset(m_stmt);
        m_row = 0;
        stepRow();
    }

    void next() override
    {
        if (!m_hasRow)
            return;
        ++m_row;
        if (!stepRow() && m_count < 0 && !m_failed)
            m_count = m_row;
    }

    int fieldCount() const override { return int(m_names.size()); }
    QString fieldName(int i) const override { return m_names[i]; }
    int fieldType(int i) const override { return m_types[i]; }

    QString text(int i) const override
    {
        switch (sqlite3_column_type(m_stmt, i)) {
        case SQLITE_NULL:
            return {};
        case SQLITE_INTEGER:
            return QString::number(sqlite3_column_int64(m_stmt, i));
        case SQLITE_FLOAT:
            return decimalText(sqlite3_column_double(m_stmt, i));
        default: {
            const auto *chars = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, i));
            const int size = sqlite3_column_bytes(m_stmt, i);
            return isDate(i) ? isoDateText(chars, size) : QString::fromUtf8(chars, size);
        }
        }
    }

    QVariant value(int i) const override
    {
        switch (sqlite3_column_type(m_stmt, i)) {
        case SQLITE_NULL:
            return {};
        case SQLITE_INTEGER:
            return QVariant(qlonglong(sqlite3_column_int64(m_stmt, i)));
        case SQLITE_FLOAT:
            return sqlite3_column_double(m_stmt, i);
        case SQLITE_BLOB:
            return QByteArray(static_cast<const char *>(sqlite3_column_blob(m_stmt, i)), sqlite3_column_bytes(m_stmt, i));
        default:
            return textValue(i);
        }
    }

private:
    bool isDate(int i) const { return m_types[i] == TypeCode::Date || m_types[i] == TypeCode::DateTime; }

    QVariant textValue(int i) const
    {
        const auto *chars = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, i));
        const QString t = QString::fromUtf8(chars, sqlite3_column_bytes(m_stmt, i));
        if (m_types[i] == TypeCode::Date) {
            const QDate date = QDate::fromString(t.left(10), Qt::ISODate);
            return date.isValid() ? QVariant(date) : QVariant(t);
        }
        if (m_types[i] == TypeCode::DateTime) {
            QDateTime dt = QDateTime::fromString(t, Qt::ISODate);
            if (!dt.isValid())
                dt = QDateTime(QDate::fromString(t.left(10), Qt::ISODate), QTime(0, 0));
            return dt.isValid() ? QVariant(dt) : QVariant(t);
        }
        return t;
    }

    bool stepRow()
    {
        const int rc = sqlite3_step(m_stmt);
        m_hasRow = rc == SQLITE_ROW;
        m_failed = rc != SQLITE_ROW && rc != SQLITE_DONE;
        if (!m_hasRow && m_row == 0)
            m_count = 0;
        return m_hasRow;
    }

    // Expressions have no declared type: the first row's value decides, numbers otherwise.
    void settleExpressionTypes()
    {
        for (int i = 0; i < int(m_types.size()); ++i) {
            if (m_types[i] != 0)
                continue;
            const int kind = m_hasRow ? sqlite3_column_type(m_stmt, i) : SQLITE_NULL;
            m_types[i] = kind == SQLITE_INTEGER ? TypeCode::Integer
                : kind == SQLITE_TEXT           ? TypeCode::Text
                : kind == SQLITE_BLOB           ? TypeCode::Binary
                                                : TypeCode::Double;
        }
    }

    std::shared_ptr<SqliteHandle> m_db;
    sqlite3_stmt *m_stmt;
    std::vector<QString> m_names;
    std::vector<int> m_types;
    bool m_hasRow = false;
    bool m_failed = false;
    int m_row = 0;
    int m_count = -1;
};

class SqliteBackend final : public Backend
{
public:
    explicit SqliteBackend(std::shared_ptr<SqliteHandle> db)
        : m_db(std::move(db))
    {
    }

    SqlDialect::Flavor flavor() const override { return SqlDialect::Flavor::Sqlite; }

    std::unique_ptr<RecordSource> query(const QString &sql, QString &error) override
    {
        auto records = prepare(sql, error);
        if (records && !records->start(error))
            return nullptr;
        return records;
    }

    std::unique_ptr<RecordSource> tableFields(const QString &table, QString &error) override
    {
        auto records = prepare(QStringLiteral("SELECT * FROM ") + table, error);
        if (records)
            records->fieldsOnly();
        return records;
    }

private:
    std::unique_ptr<SqliteRecords> prepare(const QString &sql, QString &error)
    {
        const QByteArray utf8 = sql.toUtf8();
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(m_db->db, utf8.constData(), int(utf8.size()), &stmt, nullptr) != SQLITE_OK) {
            error = sqliteError(m_db->db);
            sqlite3_finalize(stmt);
            return nullptr;
        }
        if (!stmt) {
            error = QStringLiteral("Leere SQL-Anweisung");
            return nullptr;
        }
        return std::make_unique<SqliteRecords>(m_db, stmt);
    }

    std::shared_ptr<SqliteHandle> m_db;
};

} // namespace

std::shared_ptr<Backend> openSqlite(const QString &path, QString &error)
{
    // A missing file is an error: opening must never create an empty database.
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        error = QStringLiteral("Datenbank nicht gefunden: ") + path;
        return nullptr;
    }
    auto handle = std::make_shared<SqliteHandle>();
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &handle->db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        error = handle->db ? sqliteError(handle->db) : QStringLiteral("SQLite kann die Datei nicht öffnen: ") + path;
        return nullptr;
    }
    sqlite3_busy_timeout(handle->db, 5000);
    return std::make_shared<SqliteBackend>(std::move(handle));
}

} // namespace velk::data
