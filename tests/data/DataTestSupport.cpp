#include "DataTestSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

using namespace velk;

namespace datatest {

namespace {

QString serverLog(const QString &folder)
{
    QFile log(folder + QStringLiteral("/server.log"));
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QStringLiteral("(no server log)");
}

QString adminConnection(const QString &folder)
{
    return QStringLiteral("host=%1 dbname=postgres user=velk").arg(folder);
}

// Drops this process's database when the test program ends.
class DropDatabase : public ::testing::Environment
{
public:
    void TearDown() override
    {
        if (!created)
            return;
        DataConnection admin;
        std::unique_ptr<DataRecordset> rs;
        if (admin.Open(QStringLiteral("psql"), adminConnection(postgresSocketFolder())))
            admin.OpenRecordset(QStringLiteral("DROP DATABASE IF EXISTS ") + postgresDatabaseName(), 2, rs);
    }
    bool created = false;
};

DropDatabase *dropper()
{
    static DropDatabase *env = static_cast<DropDatabase *>(::testing::AddGlobalTestEnvironment(new DropDatabase));
    return env;
}

QTemporaryDir &sqliteFolder()
{
    static QTemporaryDir dir;
    return dir;
}

} // namespace

QString postgresSocketFolder()
{
    QFile state(QStringLiteral(VELK_PG_STATE_FILE));
    if (!state.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "The PostgreSQL fixture (velk_pg_cluster_start) did not start a cluster: "
                      << VELK_PG_STATE_FILE << " is missing. Run the tests through ctest.";
        return {};
    }
    return QString::fromUtf8(state.readAll()).trimmed();
}

QString postgresDatabaseName()
{
    return QStringLiteral("velk_test_%1").arg(QCoreApplication::applicationPid());
}

QString postgresConnection()
{
    const QString folder = postgresSocketFolder();
    if (!dropper()->created) {
        DataConnection admin;
        std::unique_ptr<DataRecordset> rs;
        if (!admin.Open(QStringLiteral("psql"), adminConnection(folder))) {
            ADD_FAILURE() << "PostgreSQL does not answer on " << folder.toStdString() << ": "
                          << admin.lastError().toStdString() << "\nServer log:\n" << serverLog(folder).toStdString();
            return {};
        }
        admin.OpenRecordset(QStringLiteral("DROP DATABASE IF EXISTS ") + postgresDatabaseName(), 2, rs);
        if (!admin.OpenRecordset(QStringLiteral("CREATE DATABASE ") + postgresDatabaseName(), 2, rs)) {
            ADD_FAILURE() << "CREATE DATABASE failed: " << admin.lastError().toStdString() << "\nServer log:\n"
                          << serverLog(folder).toStdString();
            return {};
        }
        dropper()->created = true;
    }
    return QStringLiteral("host=%1 dbname=%2 user=velk").arg(folder, postgresDatabaseName());
}

void openFresh(Backend backend, DataConnection &db)
{
    if (backend == Backend::Sqlite) {
        static int counter = 0;
        const QString path = sqliteFolder().filePath(QStringLiteral("test%1.sqlite").arg(++counter));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)); // an empty file is an empty database
        file.close();
        ASSERT_TRUE(db.Open(QStringLiteral("sqlite"), path)) << db.lastError().toStdString();
        return;
    }
    const QString connection = postgresConnection();
    ASSERT_FALSE(connection.isEmpty());
    ASSERT_TRUE(db.Open(QStringLiteral("psql"), connection)) << db.lastError().toStdString();
    exec(db, {"DROP SCHEMA public CASCADE", "CREATE SCHEMA public"});
}

void exec(DataConnection &db, std::initializer_list<const char *> statements)
{
    for (const char *sql : statements) {
        std::unique_ptr<DataRecordset> rs;
        ASSERT_TRUE(db.OpenRecordset(QString::fromUtf8(sql), 2, rs)) << sql << ": " << db.lastError().toStdString();
    }
}

QStringList rowsOf(DataConnection &db, const QString &sql)
{
    std::unique_ptr<DataRecordset> rs;
    if (!db.OpenRecordset(sql, 2, rs)) {
        ADD_FAILURE() << sql.toStdString() << ": " << db.lastError().toStdString();
        return {};
    }
    QStringList rows;
    if (rs->RecordCount() == 0)
        return rows;
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
        QStringList cells;
        for (int i = 1; i <= rs->FieldCount(); ++i)
            cells << rs->GetValue(rs->FieldName(i));
        rows << cells.join(u'\t');
    }
    return rows;
}

} // namespace datatest
