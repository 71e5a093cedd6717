#pragma once

// The databases the data tests run on: SQLite files in a temporary folder, and one
// database per test process in the PostgreSQL cluster that the CTest fixture started.

#include <velk/platform/DataConnection.h>

#include <QString>

#include <gtest/gtest.h>

namespace datatest {

enum class Backend { Sqlite, Postgres };

inline const char *backendName(Backend b) { return b == Backend::Sqlite ? "sqlite" : "psql"; }

/// The cluster's socket folder; fails the test with the reason when there is none.
QString postgresSocketFolder();
/// "host=<socket folder> dbname=<this process's database> user=velk", the database made
/// on first use and dropped when the test program ends.
QString postgresConnection();
/// This process's database name.
QString postgresDatabaseName();

/// A fresh, empty database of `backend`, opened on `db` ("sqlite" on a new file in a
/// temporary folder; "psql" on this process's database after dropping its tables).
void openFresh(Backend backend, velk::DataConnection &db);

/// Runs statements that return no rows; fails the test on the first error.
void exec(velk::DataConnection &db, std::initializer_list<const char *> statements);

/// All rows of `sql` as lines of tab-separated GetValue texts, fields in order.
QStringList rowsOf(velk::DataConnection &db, const QString &sql);

} // namespace datatest
