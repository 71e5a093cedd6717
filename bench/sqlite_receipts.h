#pragma once

// The receipts table the database benchmarks read: Nr, Kunde (977 customers), Betrag
// (positive and negative), Datum (ISO dates over 15 years) and Notiz, filled in one
// transaction through a prepared statement.

#include <QByteArray>
#include <QLatin1Char>
#include <QString>

#include <sqlite3.h>

inline void fillReceipts(sqlite3 *db, const char *table, int rows)
{
    sqlite3_exec(db,
                 (QByteArray("CREATE TABLE ") + table
                  + " (Nr INTEGER, Kunde VARCHAR(40), Betrag DOUBLE, Datum DATE, Notiz TEXT); BEGIN")
                     .constData(),
                 nullptr, nullptr, nullptr);
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(db, (QByteArray("INSERT INTO ") + table + " VALUES (?, ?, ?, ?, ?)").constData(), -1, &insert,
                       nullptr);
    for (int i = 0; i < rows; ++i) {
        const QByteArray customer = "Kunde " + QByteArray::number(i % 977);
        const QByteArray date = QStringLiteral("20%1-%2-%3")
                                    .arg(10 + i % 15)
                                    .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                                    .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                                    .toUtf8();
        const QByteArray note = "Beleg Nummer " + QByteArray::number(i) + " abgelegt";
        sqlite3_bind_int(insert, 1, i);
        sqlite3_bind_text(insert, 2, customer.constData(), int(customer.size()), SQLITE_TRANSIENT);
        sqlite3_bind_double(insert, 3, (i % 10000) / 4.0 - 500);
        sqlite3_bind_text(insert, 4, date.constData(), int(date.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 5, note.constData(), int(note.size()), SQLITE_TRANSIENT);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
}
