#include "DataTestSupport.h"

#include <velk/platform/DataConnection.h>

#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QTemporaryDir>

#include <support/TestSupport.h>

using namespace velk;
using namespace datatest;

namespace {

// The same table and rows on every backend, written in the views' SQL (date literals).
void fillBelege(DataConnection &db)
{
    exec(db, {"CREATE TABLE Belege (Nr INTEGER, Kunde VARCHAR(40), Betrag DOUBLE PRECISION, Datum DATE, "
              "Notiz TEXT, Zeit TIMESTAMP)",
              "INSERT INTO Belege VALUES (1, 'Meier', 12.5, #3/15/2024#, 'O''Brien #1/2/2024# [x] Year(', "
              "#3/15/2024 10:30#)",
              "INSERT INTO Belege VALUES (2, 'Schulz', 1234567.25, #12/31/2023#, NULL, NULL)",
              "INSERT INTO Belege VALUES (3, 'Meier', -3, #1/5/2024#, '', #1/5/2024 0:00#)",
              "INSERT INTO Belege VALUES (4, NULL, 7.75, NULL, 'Rest', NULL)"});
}

class DataBackendTest : public ::testing::TestWithParam<Backend>
{
protected:
    void SetUp() override
    {
        openFresh(GetParam(), db);
        if (!HasFatalFailure())
            fillBelege(db);
    }

    std::unique_ptr<DataRecordset> open(const QString &sql)
    {
        std::unique_ptr<DataRecordset> rs;
        EXPECT_TRUE(db.OpenRecordset(sql, 2, rs)) << sql.toStdString() << ": " << db.lastError().toStdString();
        return rs;
    }

    DataConnection db;
};

TEST_P(DataBackendTest, RecordLoopGivesEveryRowAsShownTexts)
{
    EXPECT_EQ(rowsOf(db, QStringLiteral("SELECT Nr, Kunde, Betrag, Datum, Notiz, Zeit FROM Belege ORDER BY Nr")),
              (QStringList{QStringLiteral("1\tMeier\t12,5\t15.03.2024\tO'Brien #1/2/2024# [x] Year(\t15.03.2024 10:30:00"),
                           QStringLiteral("2\tSchulz\t1234567,25\t31.12.2023\t\t"),
                           QStringLiteral("3\tMeier\t-3\t05.01.2024\t\t05.01.2024"),
                           QStringLiteral("4\t\t7,75\t\tRest\t")}));
}

TEST_P(DataBackendTest, RecordSetMovesCountsAndReadsRawValues)
{
    auto rs = open(QStringLiteral("SELECT Nr, Betrag AS Wert, Datum, Kunde FROM Belege ORDER BY Nr"));
    ASSERT_TRUE(rs);
    EXPECT_NE(rs->RecordCount(), 0);
    rs->MoveFirst();
    EXPECT_EQ(rs->GetVal(QStringLiteral("Nr")).toInt(), 1);
    EXPECT_DOUBLE_EQ(rs->GetVal(QStringLiteral("wert")).toDouble(), 12.5) << "names match ignoring case";
    EXPECT_EQ(rs->GetVal(QStringLiteral("DATUM")).toDate(), QDate(2024, 3, 15));
    EXPECT_EQ(rs->GetValue(QStringLiteral("Unbekannt")), QString());
    EXPECT_FALSE(rs->GetVal(QStringLiteral("Unbekannt")).isValid());
    int rows = 0;
    for (; !rs->Eof(); rs->MoveNext())
        ++rows;
    EXPECT_EQ(rows, 4);
    EXPECT_EQ(rs->RecordCount(), 4) << "known once the end is reached";
    EXPECT_TRUE(rs->GetVal(QStringLiteral("Nr")).isNull()) << "past the end";
    EXPECT_EQ(rs->GetValue(QStringLiteral("Kunde")), QString());
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
    rs->MoveFirst();
    ASSERT_FALSE(rs->Eof());
    EXPECT_EQ(rs->GetValue(QStringLiteral("Nr")), QStringLiteral("1"));
    rs->MoveNext();
    EXPECT_TRUE(rs->GetVal(QStringLiteral("Kunde")).toString() == QStringLiteral("Schulz"));
}

TEST_P(DataBackendTest, EmptyResultsCountZeroAndStayAtTheEnd)
{
    for (const char *sql : {"SELECT * FROM Belege WHERE Nr > 100", "SELECT Kunde, COUNT(*) FROM Belege WHERE 1=0 GROUP BY Kunde",
                            "TRANSFORM SUM(Betrag) AS Wert SELECT Kunde AS Spalte1 FROM Belege WHERE Nr > 9 GROUP BY Kunde PIVOT Nr"}) {
        SCOPED_TRACE(sql);
        auto rs = open(QString::fromUtf8(sql));
        ASSERT_TRUE(rs);
        EXPECT_EQ(rs->RecordCount(), 0);
        EXPECT_TRUE(rs->Eof());
        rs->MoveFirst();
        rs->MoveNext();
        EXPECT_TRUE(rs->Eof());
        EXPECT_EQ(rs->GetValue(QStringLiteral("Kunde")), QString());
    }
}

TEST_P(DataBackendTest, TableNameGivesItsFieldsAndTypeCodes)
{
    auto rs = open(QStringLiteral("Belege"));
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->RecordCount(), 0) << "no rows are read";
    ASSERT_EQ(rs->FieldCount(), 6);
    const int expected[] = {3, 202, 5, 7, 203, 135};
    const char *names[] = {"Nr", "Kunde", "Betrag", "Datum", "Notiz", "Zeit"};
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(rs->FieldName(i).compare(QString::fromUtf8(names[i - 1]), Qt::CaseInsensitive), 0) << i;
        EXPECT_EQ(rs->FieldType(i), expected[i - 1]) << names[i - 1];
    }
    EXPECT_EQ(rs->FieldName(0), QString());
    EXPECT_EQ(rs->FieldType(7), 0);

    auto counted = open(QStringLiteral("SELECT COUNT(*) AS N, SUM(Betrag) AS S FROM Belege"));
    ASSERT_TRUE(counted);
    for (int i = 1; i <= 2; ++i) {
        const int code = counted->FieldType(i);
        EXPECT_TRUE(code != 7 && code != 135 && code != 202 && code != 203 && code != 0) << "a number: " << code;
    }
}

TEST_P(DataBackendTest, FailedQueriesReportAndLeaveNoSet)
{
    std::unique_ptr<DataRecordset> rs = open(QStringLiteral("SELECT 1"));
    EXPECT_FALSE(db.OpenRecordset(QStringLiteral("SELECT Nix FROM Nirgends"), 2, rs));
    EXPECT_FALSE(rs);
    EXPECT_FALSE(db.lastError().isEmpty());
    EXPECT_FALSE(db.OpenRecordset(QStringLiteral("Nirgends"), 2, rs)) << "an unknown table";
    EXPECT_FALSE(db.OpenRecordset(QString(), 2, rs));
    EXPECT_TRUE(db.OpenRecordset(QStringLiteral("SELECT Nr FROM Belege"), 2, rs));
    EXPECT_EQ(db.lastError(), QString());
}

// The dialect's rules, checked by what each backend returns.
TEST_P(DataBackendTest, DateLiteralsAndDatePartsSelectTheSameRows)
{
    EXPECT_EQ(rowsOf(db, QStringLiteral("SELECT Nr FROM Belege WHERE Datum >= #01/01/2024# AND Datum <= #3/31/2024# ORDER BY Nr")),
              (QStringList{QStringLiteral("1"), QStringLiteral("3")}));
    EXPECT_EQ(rowsOf(db, QStringLiteral("SELECT Year(Datum)*12+Month(Datum) AS M, Day( Datum ) AS D FROM Belege WHERE Nr = 1")),
              QStringList{QStringLiteral("24291\t15")});
    EXPECT_EQ(rowsOf(db, QStringLiteral("SELECT Nr FROM Belege WHERE Notiz = 'O''Brien #1/2/2024# [x] Year('")),
              QStringList{QStringLiteral("1")})
        << "quoted text is left alone";
    exec(db, {"CREATE TABLE [Mixed Case] ([Wert Feld] INTEGER)", "INSERT INTO [Mixed Case] VALUES (5)"});
    auto rs = open(QStringLiteral("SELECT [Wert Feld] FROM [Mixed Case]"));
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->FieldName(1), QStringLiteral("Wert Feld"));
    EXPECT_EQ(rs->GetValue(QStringLiteral("wert feld")), QStringLiteral("5"));
}

TEST_P(DataBackendTest, GroupsComeOrderedWithNullFirst)
{
    EXPECT_EQ(rowsOf(db, QStringLiteral("SELECT Kunde, COUNT(*) AS N FROM Belege GROUP BY Kunde")),
              (QStringList{QStringLiteral("\t1"), QStringLiteral("Meier\t2"), QStringLiteral("Schulz\t1")}));
    EXPECT_EQ(rowsOf(db, QStringLiteral("SELECT Kunde AS Wert, SUM(Betrag) AS Daten1 FROM Belege "
                                        "GROUP BY Kunde HAVING COUNT(Kunde)<>0")),
              (QStringList{QStringLiteral("Meier\t9,5"), QStringLiteral("Schulz\t1234567,25")}));
    EXPECT_EQ(rowsOf(db, QStringLiteral("SELECT Kunde FROM Belege WHERE Kunde IS NOT NULL GROUP BY Kunde ORDER BY Kunde DESC")).value(0),
              QStringLiteral("Schulz"))
        << "an explicit order is kept";
}

TEST_P(DataBackendTest, CrossTablePivotsOneFieldPerValueWithNullAsItsOwnField)
{
    auto rs = open(QStringLiteral("TRANSFORM SUM(Betrag) AS Wert SELECT Kunde AS Spalte1 FROM Belege "
                                  "GROUP BY Kunde PIVOT Year(Datum)"));
    ASSERT_TRUE(rs);
    ASSERT_EQ(rs->FieldCount(), 4);
    EXPECT_EQ(rs->FieldName(1).compare(QStringLiteral("Spalte1"), Qt::CaseInsensitive), 0);
    EXPECT_EQ(rs->FieldName(2), QStringLiteral("<>"));
    EXPECT_EQ(rs->FieldName(3), QStringLiteral("2023"));
    EXPECT_EQ(rs->FieldName(4), QStringLiteral("2024"));
    EXPECT_EQ(rs->RecordCount(), 3);
    EXPECT_EQ(rowsOf(db, QStringLiteral("TRANSFORM SUM(Betrag) AS Wert SELECT Kunde AS Spalte1 FROM Belege "
                                        "GROUP BY Kunde PIVOT Year(Datum)")),
              (QStringList{QStringLiteral("\t7,75\t\t"), QStringLiteral("Meier\t\t\t9,5"),
                           QStringLiteral("Schulz\t\t1234567,25\t")}));
    // Any aggregate, a text pivot, and a condition with a date literal.
    EXPECT_EQ(rowsOf(db, QStringLiteral("TRANSFORM COUNT(*) AS Wert SELECT Month(Datum) AS Spalte1 FROM Belege "
                                        "WHERE Datum > #1/1/2000# GROUP BY Month(Datum) PIVOT Kunde")),
              (QStringList{QStringLiteral("1\t1\t"), QStringLiteral("3\t1\t"), QStringLiteral("12\t\t1")}));
}

INSTANTIATE_TEST_SUITE_P(Backends, DataBackendTest, ::testing::Values(Backend::Sqlite, Backend::Postgres),
                         [](const auto &info) { return std::string(backendName(info.param)); });

TEST(DataConnection, OpenFailsClearlyAndNeverCreatesFiles)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("fehlt.sqlite"));
    DataConnection db;
    std::unique_ptr<DataRecordset> rs;
    EXPECT_FALSE(db.OpenRecordset(QStringLiteral("SELECT 1"), 2, rs)) << "nothing open";
    EXPECT_FALSE(db.Open(QStringLiteral("sqlite"), missing));
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_TRUE(db.lastError().contains(missing));
    EXPECT_FALSE(db.Open(QStringLiteral("ADO"), missing)) << "a path without '=' is an SQLite file";
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_FALSE(db.Open(QStringLiteral("mysql"), QStringLiteral("host=x")));
    EXPECT_TRUE(db.lastError().contains(QStringLiteral("mysql")));
    EXPECT_FALSE(db.isOpen());
    EXPECT_FALSE(db.Open(QStringLiteral("ADO"), QStringLiteral("DSN=velk_gibt_es_nicht")));
    EXPECT_FALSE(db.lastError().isEmpty());
    EXPECT_FALSE(db.Open(QStringLiteral("psql"), QStringLiteral("host=%1 dbname=x user=velk").arg(dir.path())));
    EXPECT_FALSE(db.lastError().isEmpty());
    db.Reset();
    EXPECT_EQ(db.lastError(), QString());
}

TEST(DataConnection, KindsIgnoreCaseAndSetsOutliveTheConnection)
{
    DataConnection db;
    openFresh(Backend::Sqlite, db);
    exec(db, {"CREATE TABLE t (a INTEGER)", "INSERT INTO t VALUES (1)", "INSERT INTO t VALUES (2)"});
    std::unique_ptr<DataRecordset> rs;
    ASSERT_TRUE(db.OpenRecordset(QStringLiteral("SELECT a FROM t ORDER BY a"), 2, rs));
    db.Reset();
    EXPECT_FALSE(db.isOpen());
    rs->MoveNext();
    EXPECT_EQ(rs->GetValue(QStringLiteral("A")), QStringLiteral("2"));
    rs.reset();

    DataConnection server;
    ASSERT_TRUE(server.Open(QStringLiteral("PSQL"), postgresConnection())) << server.lastError().toStdString();
}

TEST(DataConnection, OdbcRoundTripThroughThePostgresDriver)
{
    DataConnection setup;
    openFresh(Backend::Postgres, setup);
    exec(setup, {"CREATE TABLE Kunden (Nr INTEGER, Name VARCHAR(30), Seit DATE)",
                 "INSERT INTO Kunden VALUES (7, 'Müller', #2/29/2024#)"});
    DataConnection odbc;
    const QString connection = QStringLiteral("Driver={PostgreSQL Unicode};Servername=%1;Database=%2;Uid=velk;")
                                   .arg(postgresSocketFolder(), postgresDatabaseName());
    ASSERT_TRUE(odbc.Open(QStringLiteral("odbc"), connection)) << odbc.lastError().toStdString();
    exec(odbc, {"INSERT INTO Kunden VALUES (8, 'O''Brien', #3/1/2024#)"});
    EXPECT_EQ(rowsOf(odbc, QStringLiteral("SELECT Nr, Name, Seit FROM Kunden WHERE Seit >= #2/1/2024# ORDER BY Nr")),
              (QStringList{QStringLiteral("7\tMüller\t29.02.2024"), QStringLiteral("8\tO'Brien\t01.03.2024")}));
    EXPECT_EQ(rowsOf(setup, QStringLiteral("SELECT Name FROM Kunden WHERE Nr = 8")), QStringList{QStringLiteral("O'Brien")});
}

} // namespace
