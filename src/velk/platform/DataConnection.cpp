#include "DataConnection.h"

#include "DataRecordset_p.h"
#include "DataSource_p.h"
#include "SqlDialect_p.h"

namespace velk {

namespace {

bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'.' || c == u'$'; }

// A lone table name: a word (schema-qualified too), "[a name]" or "\"a name\"".
bool isBareTableName(QStringView text)
{
    const QStringView t = text.trimmed();
    if (t.size() >= 2 && ((t.front() == u'[' && t.back() == u']') || (t.front() == u'"' && t.back() == u'"')))
        return !t.mid(1, t.size() - 2).contains(t.back()) && t.size() > 2;
    if (t.isEmpty() || !(t.front().isLetter() || t.front() == u'_'))
        return false;
    for (const QChar c : t) {
        if (!isNameChar(c))
            return false;
    }
    return true;
}

} // namespace

struct DataConnection::Private
{
    std::shared_ptr<data::Backend> backend;
    QString error;

    bool fail(const QString &text)
    {
        error = text;
        return false;
    }
};

DataConnection::DataConnection()
    : d(std::make_unique<Private>())
{
}

DataConnection::~DataConnection() = default;

void DataConnection::Reset()
{
    d->backend.reset();
    d->error.clear();
}

bool DataConnection::isOpen() const { return d->backend != nullptr; }

bool DataConnection::Open(const QString &kind, const QString &connection)
{
    Reset();
    const QString k = kind.trimmed().toLower();
    QString error;
    if (k == u"sqlite" || (k == u"ado" && !connection.contains(u'=')))
        d->backend = data::openSqlite(connection, error);
    else if (k == u"psql")
        d->backend = data::openQtSql(QStringLiteral("QPSQL"), connection, error);
    else if (k == u"odbc" || k == u"ado")
        d->backend = data::openQtSql(QStringLiteral("QODBC"), connection, error);
    else
        return d->fail(QStringLiteral("Unbekannte Verbindungsart \"%1\" (möglich: sqlite, psql, odbc, ADO)").arg(kind));
    return d->backend ? true : d->fail(error);
}

bool DataConnection::OpenRecordset(const QString &sql, int /*mode*/, std::unique_ptr<DataRecordset> &rs)
{
    rs.reset();
    d->error.clear();
    if (!d->backend)
        return d->fail(QStringLiteral("Keine Datenbank geöffnet"));
    const SqlDialect::Translation translated = SqlDialect::translate(sql, d->backend->flavor());
    QString error;
    std::unique_ptr<data::RecordSource> source = isBareTableName(sql)
        ? d->backend->tableFields(translated.sql.trimmed(), error)
        : d->backend->query(translated.sql, error);
    if (!source)
        return d->fail(error.isEmpty() ? QStringLiteral("Abfrage fehlgeschlagen") : error);
    if (translated.pivot)
        source = data::pivoted(*source);
    rs.reset(new DataRecordset(std::make_unique<DataRecordset::Private>(std::move(source))));
    return true;
}

QString DataConnection::lastError() const { return d->error; }

} // namespace velk
