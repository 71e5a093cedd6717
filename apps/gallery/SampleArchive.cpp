#include "SampleArchive.h"

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
    if (isNew && !create())
        db.close();
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
    const auto script = velk::TextFile::read(QStringLiteral(VELK_GALLERY_DATA_DIR "/sample-archive.sql"));
    if (!script) {
        m_error = QStringLiteral("sample-archive.sql fehlt");
        return false;
    }
    QSqlDatabase db = database();
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
    return db.commit();
}
