#include <velk/platform/SqlDialect_p.h>

#include <support/TestSupport.h>

using namespace velk;
using Flavor = SqlDialect::Flavor;

namespace {

struct Row
{
    const char *name;
    const char *in;
    const char *sqlite;
    const char *standard;
};

TEST(SqlDialect, TranslatesLiteralsFunctionsAndNamesOutsideQuotes)
{
    const Row rows[] = {
        {"date literal, month first", "WHERE d >= #3/1/2024#", "WHERE d >= '2024-03-01'", "WHERE d >= DATE '2024-03-01'"},
        {"two-digit parts and year", "#12/31/99#", "'1999-12-31'", "DATE '1999-12-31'"},
        {"with a time", "#1/2/2024 9:05#", "'2024-01-02 09:05:00'", "TIMESTAMP '2024-01-02 09:05:00'"},
        {"not a date stays", "a # b #13/1/2024# #1/2#", "a # b #13/1/2024# #1/2#", "a # b #13/1/2024# #1/2#"},
        {"date parts", "Year(d)*12+month (d)", "CAST(strftime('%Y', d) AS INTEGER)*12+CAST(strftime('%m', d) AS INTEGER)",
         "CAST(EXTRACT(YEAR FROM d) AS INTEGER)*12+CAST(EXTRACT(MONTH FROM d) AS INTEGER)"},
        {"nested parentheses close the right call", "DAY((a)+(b)) + (c)", "CAST(strftime('%d', (a)+(b)) AS INTEGER) + (c)",
         "CAST(EXTRACT(DAY FROM (a)+(b)) AS INTEGER) + (c)"},
        {"words that only look alike", "Years(x), t.Year(x), Day", "Years(x), t.Year(x), Day", "Years(x), t.Year(x), Day"},
        {"bracketed names", "SELECT [Wert Feld] FROM [a\"b]", "SELECT \"Wert Feld\" FROM \"a\"\"b\"",
         "SELECT \"Wert Feld\" FROM \"a\"\"b\""},
        {"quotes are left alone", "x = 'O''Brien #1/2/2024# [y] Year(' AND \"[z]\" = 1",
         "x = 'O''Brien #1/2/2024# [y] Year(' AND \"[z]\" = 1", "x = 'O''Brien #1/2/2024# [y] Year(' AND \"[z]\" = 1"},
        {"a comment is left alone", "1 -- [a] #1/1/2024#\n[b]", "1 -- [a] #1/1/2024#\n\"b\"", "1 -- [a] #1/1/2024#\n\"b\""},
        {"unclosed text passes", "x = 'open [a", "x = 'open [a", "x = 'open [a"},
        {"unmatched brackets and parentheses pass", "a [b ) Year(c", "a [b ) CAST(strftime('%Y', c",
         "a [b ) CAST(EXTRACT(YEAR FROM c"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(SqlDialect::translate(QString::fromUtf8(row.in), Flavor::Sqlite).sql, QString::fromUtf8(row.sqlite));
        EXPECT_EQ(SqlDialect::translate(QString::fromUtf8(row.in), Flavor::Standard).sql, QString::fromUtf8(row.standard));
    }
}

TEST(SqlDialect, GroupByWithoutOrderIsOrderedByItsGroups)
{
    const Row rows[] = {
        {"one group", "SELECT k FROM t GROUP BY k", "SELECT k FROM t GROUP BY k ORDER BY k NULLS FIRST", nullptr},
        {"expressions and HAVING", "SELECT 1 FROM t GROUP BY f(a, b), c HAVING COUNT(c)<>0;",
         "SELECT 1 FROM t GROUP BY f(a, b), c HAVING COUNT(c)<>0 ORDER BY f(a, b) NULLS FIRST, c NULLS FIRST;", nullptr},
        {"before LIMIT", "SELECT k FROM t GROUP BY k LIMIT 3", "SELECT k FROM t GROUP BY k ORDER BY k NULLS FIRST LIMIT 3",
         nullptr},
        {"an order is kept", "SELECT k FROM t GROUP BY k ORDER BY 1 DESC", "SELECT k FROM t GROUP BY k ORDER BY 1 DESC", nullptr},
        {"inside a subquery only", "SELECT * FROM (SELECT k FROM t GROUP BY k) s",
         "SELECT * FROM (SELECT k FROM t GROUP BY k) s", nullptr},
        {"group in quotes", "SELECT 'GROUP BY x' FROM t", "SELECT 'GROUP BY x' FROM t", nullptr},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const auto t = SqlDialect::translate(QString::fromUtf8(row.in), Flavor::Sqlite);
        EXPECT_EQ(t.sql, QString::fromUtf8(row.sqlite));
        EXPECT_FALSE(t.pivot);
    }
}

TEST(SqlDialect, TransformBecomesGroupedRowsToPivot)
{
    const auto t = SqlDialect::translate(
        QStringLiteral("TRANSFORM SUM(Betrag) AS Wert SELECT Year([Datum]) AS Spalte1 FROM Belege WHERE (x = 'PIVOT') "
                       "GROUP BY Year([Datum]) PIVOT Kunde"),
        Flavor::Standard);
    EXPECT_TRUE(t.pivot);
    EXPECT_EQ(t.sql, QStringLiteral("SELECT CAST(EXTRACT(YEAR FROM \"Datum\") AS INTEGER) AS Spalte1, Kunde AS velk_pivot, "
                                    "SUM(Betrag) AS velk_value FROM Belege WHERE (x = 'PIVOT') "
                                    "GROUP BY CAST(EXTRACT(YEAR FROM \"Datum\") AS INTEGER), Kunde "
                                    "ORDER BY CAST(EXTRACT(YEAR FROM \"Datum\") AS INTEGER) NULLS FIRST, Kunde NULLS FIRST"));
    const auto bare = SqlDialect::translate(QStringLiteral("transform count(*) select a from t group by a pivot b;"), Flavor::Sqlite);
    EXPECT_TRUE(bare.pivot) << "no alias, lower case, a closing semicolon";
    EXPECT_EQ(bare.sql, QStringLiteral("SELECT a, b AS velk_pivot, count(*) AS velk_value from t group by a, b "
                                       "ORDER BY a NULLS FIRST, b NULLS FIRST"));
    for (const char *broken : {"TRANSFORM SUM(x)", "TRANSFORM SUM(x) SELECT a FROM t", "TRANSFORM PIVOT SELECT"}) {
        SCOPED_TRACE(broken);
        EXPECT_FALSE(SqlDialect::translate(QString::fromUtf8(broken), Flavor::Sqlite).pivot) << "left for the server to reject";
    }
}

} // namespace
