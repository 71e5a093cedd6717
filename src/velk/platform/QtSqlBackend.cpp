#include "DataSource_p.h"

#include <QAtomicInt>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

namespace velk::data {

namespace {

// One Qt SQL connection, removed when the last record set using it is gone.
struct QtSqlHandle
{
    QString name;
    ~QtSqlHandle()
    {
        { QSqlDatabase::database(name, false).close(); }
        QSqlDatabase::removeDatabase(name);
    }
    QSqlDatabase db() const { return QSqlDatabase::database(name, false); }
};

QString errorText(const QSqlError &e)
{
    const QString text = e.text().trimmed();
    return text.isEmpty() ? QStringLiteral("Unbekannter Datenbankfehler") : text;
}

int typeCodeOf(const QSqlField &field)
{
    switch (field.metaType().id()) {
    case QMetaType::QDate:
        return TypeCode::Date;
    case QMetaType::QDateTime:
        return TypeCode::DateTime;
    case QMetaType::QTime:
        return TypeCode::Time;
    case QMetaType::QString:
        // Unbounded text (PostgreSQL's text, long ODBC strings) is long text.
        return field.length() > 0 && field.length() < 65536 ? TypeCode::Text : TypeCode::LongText;
    case QMetaType::Bool:
        return TypeCode::Boolean;
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return TypeCode::SmallInt;
    case QMetaType::Int:
    case QMetaType::UInt:
        return TypeCode::Integer;
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return TypeCode::BigInt;
    case QMetaType::Double:
    case QMetaType::Float:
        return TypeCode::Double;
    case QMetaType::QByteArray:
        return TypeCode::Binary;
    default:
        return TypeCode::Numeric;
    }
}

// Reads forward; returning to the first row runs the query again, as a forward-only
// cursor costs the server nothing to keep.
class QtSqlRecords final : public RecordSource
{
public:
    QtSqlRecords(std::shared_ptr<QtSqlHandle> handle, const QString &sql)
        : m_handle(std::move(handle))
        , m_query(m_handle->db())
        , m_sql(sql)
    {
        m_query.setForwardOnly(true);
        m_query.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    }

    bool start(QString &error, bool readRows)
    {
        if (!m_query.exec(m_sql)) {
            error = errorText(m_query.lastError());
            return false;
        }
        const QSqlRecord record = m_query.record();
        for (int i = 0; i < record.count(); ++i) {
            m_names.push_back(record.fieldName(i));
            m_types.push_back(typeCodeOf(record.field(i)));
        }
        m_hasRow = readRows && m_query.isSelect() && m_query.next();
        m_count = m_hasRow ? m_query.size() : 0;
        return true;
    }

    int count() const override { return m_count; }
    bool atEnd() const override { return !m_hasRow; }

    void first() override
    {
        if (m_row == 0 || m_count == 0)
            return;
        m_row = 0;
        m_hasRow = m_query.exec(m_sql) && m_query.next();
    }

    void next() override
    {
        if (!m_hasRow)
            return;
        ++m_row;
        m_hasRow = m_query.next();
        if (!m_hasRow && m_count < 0)
            m_count = m_row;
    }

    int fieldCount() const override { return int(m_names.size()); }
    QString fieldName(int i) const override { return m_names[i]; }
    int fieldType(int i) const override { return m_types[i]; }
    QString text(int i) const override { return valueText(m_query.value(i)); }
    QVariant value(int i) const override { return m_query.value(i); }

private:
    std::shared_ptr<QtSqlHandle> m_handle; // declared first: the query goes before the connection
    QSqlQuery m_query;
    QString m_sql;
    std::vector<QString> m_names;
    std::vector<int> m_types;
    bool m_hasRow = false;
    int m_row = 0;
    int m_count = -1;
};

class QtSqlBackend final : public Backend
{
public:
    explicit QtSqlBackend(std::shared_ptr<QtSqlHandle> handle)
        : m_handle(std::move(handle))
    {
    }

    SqlDialect::Flavor flavor() const override { return SqlDialect::Flavor::Standard; }

    std::unique_ptr<RecordSource> query(const QString &sql, QString &error) override
    {
        auto records = std::make_unique<QtSqlRecords>(m_handle, sql);
        if (!records->start(error, true))
            return nullptr;
        return records;
    }

    std::unique_ptr<RecordSource> tableFields(const QString &table, QString &error) override
    {
        auto records = std::make_unique<QtSqlRecords>(m_handle, QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE 1=0"));
        if (!records->start(error, false))
            return nullptr;
        return records;
    }

private:
    std::shared_ptr<QtSqlHandle> m_handle;
};

// libpq's "key=value key='quoted value'" pairs.
std::vector<std::pair<QString, QString>> libpqPairs(const QString &text)
{
    std::vector<std::pair<QString, QString>> pairs;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        while (i < n && text[i].isSpace())
            ++i;
        const qsizetype keyStart = i;
        while (i < n && text[i] != u'=' && !text[i].isSpace())
            ++i;
        const QString key = text.mid(keyStart, i - keyStart).toLower();
        while (i < n && text[i].isSpace())
            ++i;
        if (i >= n || text[i] != u'=') {
            if (!key.isEmpty())
                pairs.emplace_back(key, QString());
            continue;
        }
        ++i;
        while (i < n && text[i].isSpace())
            ++i;
        QString value;
        if (i < n && text[i] == u'\'') {
            for (++i; i < n && text[i] != u'\''; ++i) {
                if (text[i] == u'\\' && i + 1 < n)
                    ++i;
                value += text[i];
            }
            ++i;
        } else {
            while (i < n && !text[i].isSpace())
                value += text[i++];
        }
        pairs.emplace_back(key, value);
    }
    return pairs;
}

void applyLibpqString(QSqlDatabase &db, const QString &connection)
{
    QStringList options;
    for (const auto &[key, value] : libpqPairs(connection)) {
        if (key == u"host" || key == u"hostaddr")
            db.setHostName(value);
        else if (key == u"port")
            db.setPort(value.toInt());
        else if (key == u"dbname")
            db.setDatabaseName(value);
        else if (key == u"user")
            db.setUserName(value);
        else if (key == u"password")
            db.setPassword(value);
        else if (!key.isEmpty())
            options << key + u'=' + value;
    }
    db.setConnectOptions(options.join(u';'));
}

} // namespace

std::shared_ptr<Backend> openQtSql(const QString &driver, const QString &connection, QString &error)
{
    static QAtomicInt counter;
    auto handle = std::make_shared<QtSqlHandle>();
    handle->name = QStringLiteral("velk-data-%1").arg(counter.fetchAndAddRelaxed(1));
    QSqlDatabase db = QSqlDatabase::addDatabase(driver, handle->name);
    if (!db.isValid()) {
        error = QStringLiteral("Datenbanktreiber %1 ist nicht installiert").arg(driver);
        return nullptr;
    }
    if (driver == u"QPSQL")
        applyLibpqString(db, connection);
    else
        db.setDatabaseName(connection);
    if (!db.open()) {
        error = errorText(db.lastError());
        return nullptr;
    }
    return std::make_shared<QtSqlBackend>(std::move(handle));
}

} // namespace velk::data
