#include "SampleArchive.h"

#include "GalleryData.h"

#include <velk/common/TextFile.h>

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

SampleArchive::SampleArchive(const QString &path)
    : m_path(path)
    , m_connection(QStringLiteral("velk-gallery-archive"))
{
    const bool isNew = !QFileInfo::exists(path);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path);
    if (!db.open()) {
        m_error = db.lastError().text();
        return;
    }
    if (isNew || !isCurrent()) {
        if (!create())
            db.close();
    }
}

// An archive made by an older script is rebuilt, so the pages always show today's data.
bool SampleArchive::isCurrent() const
{
    QSqlQuery query(database());
    return query.exec(QStringLiteral("PRAGMA user_version")) && query.next()
        && query.value(0).toInt() == kScriptVersion;
}

SampleArchive::~SampleArchive()
{
    { QSqlDatabase::database(m_connection).close(); }
    QSqlDatabase::removeDatabase(m_connection);
}

bool SampleArchive::isOpen() const
{
    return QSqlDatabase::database(m_connection, false).isOpen();
}

QSqlDatabase SampleArchive::database() const
{
    return QSqlDatabase::database(m_connection, false);
}

// The script holds one statement per ";"-terminated block; SQLite's driver runs one
// statement per exec, so the script is split here.
bool SampleArchive::create()
{
    const auto script = velk::TextFile::read(galleryDataFile(QStringLiteral("sample-archive.sql")));
    if (!script) {
        m_error = QStringLiteral("sample-archive.sql fehlt");
        return false;
    }
    QSqlDatabase db = database();
    for (const QString &table : db.tables())
        QSqlQuery(db).exec(QStringLiteral("DROP TABLE ") + table);
    db.transaction();
    QString statement;
    for (const QString &line : script->split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QStringLiteral("--")))
            continue;
        statement += line + u'\n';
        if (!trimmed.endsWith(u';'))
            continue;
        QSqlQuery query(db);
        if (!query.exec(statement)) {
            m_error = query.lastError().text();
            db.rollback();
            return false;
        }
        statement.clear();
    }
    QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version = %1").arg(kScriptVersion));
    return db.commit();
}
