#include <velk/views/DBViewQuery_p.h>

#include <gtest/gtest.h>

using namespace velk;

namespace {

// The builder as a host would set it up: Belege with a text, a date and two value fields.
DBViewQuery belege()
{
    DBViewQuery q;
    q.Table = QStringLiteral("Belege");
    q.tableFields = {{QStringLiteral("Nr"), 3}, {QStringLiteral("Kunde"), 202}, {QStringLiteral("Datum"), 7},
                     {QStringLiteral("Betrag"), 5}};
    q.addField(QStringLiteral("Nr"), 0, QStringLiteral("Nummer"));
    q.addField(QStringLiteral("kunde"), 2000, QStringLiteral("Kunde"));
    q.addField(QStringLiteral("Datum"), 1300, QStringLiteral("Datum"));
    q.datas = {{QStringLiteral("Summe"), QStringLiteral("SUM(Betrag)"), QStringLiteral("#,##0.00")},
               {QStringLiteral("Anzahl"), QStringLiteral("COUNT(*)"), QStringLiteral("#")},
               {QStringLiteral("Max"), QStringLiteral("MAX(Betrag)"), QStringLiteral("0")}};
    q.captions << QStringLiteral("Kunde") << QStringLiteral("Monat");
    q.selectionValues << QStringLiteral("Kunde") << QStringLiteral("#MONTH(Datum)");
    return q;
}

DBViewCondition combo(const char *field, const char *type, const QString &text)
{
    DBViewCondition c;
    c.field = QString::fromLatin1(field);
    c.type = QString::fromLatin1(type);
    c.listIndex = 1;
    c.text = text;
    return c;
}

DBViewCondition dateBox(const QString &text)
{
    DBViewCondition c;
    c.isDate = true;
    c.field = QStringLiteral("Datum");
    c.type = QStringLiteral("Date");
    c.text = text;
    return c;
}

TEST(DBViewQuery, FieldTypesWidthsAndColumns)
{
    DBViewQuery q = belege();
    EXPECT_EQ(q.fields[0].Width, 1000);
    EXPECT_EQ(q.fields[1].type, QStringLiteral("String")); // found ignoring case
    EXPECT_EQ(q.fields[2].type, QStringLiteral("Date"));
    EXPECT_EQ(q.flatColumns(), QStringLiteral("Nr:1000R,kunde:2000,Datum:1300,"));
    EXPECT_EQ(q.flatSql(QString()), QStringLiteral("SELECT Nr,kunde,Datum FROM Belege "));
    EXPECT_EQ(q.distinctSql(QStringLiteral("Kunde")), QStringLiteral("SELECT Kunde FROM Belege  GROUP BY Kunde"));
    q.Condition = QStringLiteral("Nr>2");
    EXPECT_EQ(q.distinctSql(QStringLiteral("Kunde")), QStringLiteral("SELECT Kunde FROM Belege WHERE Nr>2 GROUP BY Kunde"));
    for (int code : {7, 8, 135})
        EXPECT_EQ(DBViewQuery::typeOfCode(code), QStringLiteral("Date"));
    for (int code : {10, 12, 200, 201, 202, 203})
        EXPECT_EQ(DBViewQuery::typeOfCode(code), QStringLiteral("String"));
    EXPECT_EQ(DBViewQuery::typeOfCode(3), QStringLiteral("Value"));
}

TEST(DBViewQuery, WhereTermsConditionAndSignFilter)
{
    DBViewQuery q = belege();
    EXPECT_EQ(q.where(), QString());
    DBViewCondition all = combo("Kunde", "String", QStringLiteral("(alle)"));
    all.listIndex = 0;
    q.conditions = {all};
    EXPECT_EQ(q.where(), QString()) << "(alle) adds no term";

    q.conditions = {combo("Kunde", "String", QStringLiteral("O'Brien")), combo("Nr", "Value", QStringLiteral("12,5"))};
    EXPECT_EQ(q.where(), QStringLiteral("WHERE Kunde='O''Brien' AND Nr=12.5"));
    q.Condition = QStringLiteral("Nr>2");
    EXPECT_EQ(q.where(), QStringLiteral("WHERE (Nr>2) AND (Kunde='O''Brien' AND Nr=12.5)"));
    q.conditions = {combo("Nr", "Value", QString()), combo("Nr", "Value", QStringLiteral("1; DROP"))};
    q.Condition.clear();
    EXPECT_EQ(q.where(), QStringLiteral("WHERE Nr IS NULL AND Nr='1; DROP'"));

    q.conditions.clear();
    q.Condition = QStringLiteral("Nr>2");
    EXPECT_EQ(q.where(), QStringLiteral("WHERE Nr>2"));
    q.DataValue = QStringLiteral("SUM(Betrag)");
    EXPECT_EQ(q.where(), QStringLiteral("WHERE Nr>2")) << "all values: no sign term";
    q.sign = DBViewQuery::Sign::Positive;
    EXPECT_EQ(q.where(), QStringLiteral("WHERE (Nr>2) AND ((SUM(Betrag))>0)"));
    q.sign = DBViewQuery::Sign::Negative;
    q.Condition.clear();
    EXPECT_EQ(q.where(), QStringLiteral("WHERE (SUM(Betrag))<0"));
}

TEST(DBViewQuery, DateBoxesGiveTermsAndToolTips)
{
    struct Row
    {
        QString text;
        const char *where;
        const char *toolTip;
    };
    const Row rows[] = {
        {QStringLiteral("2024"), "WHERE Datum>=#01/01/2024# AND Datum<=#12/31/2024#", "01.01.2024 - 31.12.2024"},
        {QStringLiteral("2.24"), "WHERE Datum>=#02/01/2024# AND Datum<=#02/29/2024#", "01.02.2024 - 29.02.2024"},
        {QStringLiteral("15.3.99"), "WHERE Datum>=#03/15/1999# AND Datum<=#03/15/1999#", "15.03.1999 - 15.03.1999"},
        {QStringLiteral(" 1.2024 - 3.2024 "), "WHERE Datum>=#01/01/2024# AND Datum<=#03/31/2024#",
         "01.01.2024 - 31.03.2024"},
        {QStringLiteral("1.1.2024 -"), "WHERE Datum>=#01/01/2024#", "01.01.2024 - "},
        {QStringLiteral("- 2023"), "WHERE Datum<=#12/31/2023#", " - 31.12.2023"},
        {QString(), "", " - "},
        {QStringLiteral("abc"), "", " - "},
        {QStringLiteral("1.1.2024'; --"), "", " - "},
        {QStringLiteral("99999"), "", " - "},
        {QStringLiteral("771"), "", " - "},
    };
    for (const Row &r : rows) {
        DBViewQuery q = belege();
        q.conditions = {dateBox(r.text)};
        EXPECT_EQ(q.where(), QString::fromUtf8(r.where)) << r.text.toStdString();
        EXPECT_EQ(q.conditions[0].toolTip, QString::fromUtf8(r.toolTip)) << r.text.toStdString();
    }
}

TEST(DBViewQuery, GroupsLabelsAndReplacements)
{
    DBViewQuery q = belege();
    q.group1 = 2;
    q.group2 = 1;
    EXPECT_EQ(q.groupExpression(1), QStringLiteral("Year(Datum)*12+Month(Datum)"));
    EXPECT_EQ(q.groupExpression(2), QStringLiteral("Kunde"));
    EXPECT_EQ(q.groupLabel(1, QStringLiteral("24288")), QStringLiteral("12/2023"));
    EXPECT_EQ(q.groupLabel(1, QStringLiteral("24291")), QStringLiteral("03/2024"));
    EXPECT_EQ(q.groupLabel(1, QString()), QStringLiteral("(ohne)"));
    EXPECT_EQ(q.groupLabel(2, QStringLiteral("<>")), QStringLiteral("(ohne)"));
    EXPECT_EQ(q.groupLabel(2, QStringLiteral("24288")), QStringLiteral("24288"));

    q.replacements.insert(QStringLiteral("Kunde"), QStringLiteral("1=Verträge\r\n2=Rechnungen\r\n22=Steuern"));
    EXPECT_EQ(q.replaced(QStringLiteral("Kunde"), QStringLiteral("2")), QStringLiteral("2=Rechnungen"));
    EXPECT_EQ(q.replaced(QStringLiteral("Kunde"), QStringLiteral("1")), QStringLiteral("1=Verträge"));
    EXPECT_EQ(q.replaced(QStringLiteral("Kunde"), QStringLiteral("3")), QStringLiteral("3"));
    EXPECT_EQ(q.replaced(QStringLiteral("Monat"), QStringLiteral("2")), QStringLiteral("2"));
}

TEST(DBViewQuery, ReportTexts)
{
    DBViewQuery q = belege();
    q.TextValue = QStringLiteral("[Nr] [Datum]");
    EXPECT_EQ(q.groupedColumns(1), QStringLiteral("(ohne):2000,Summe:1500R,Anzahl:1500R,Max:1500R,"));
    q.group1 = 1;
    EXPECT_EQ(q.groupedColumns(1), QStringLiteral("Kunde:2000,Summe:1500R,Anzahl:1500R,Max:1500R,"));
    EXPECT_EQ(q.groupedSql(QString(), QStringLiteral("Kunde")),
              QStringLiteral("SELECT Kunde As Wert, SUM(Betrag) As Daten1, COUNT(*) As Daten2, MAX(Betrag) As Daten3 "
                             "FROM Belege  GROUP BY Kunde HAVING COUNT(Kunde)<>0"));
    EXPECT_EQ(q.detailSql(QString(), QStringLiteral("Kunde"), QStringLiteral("O'Brien")),
              QStringLiteral("SELECT (Betrag) As Daten1, 1 As Daten2, 0 As Daten3, Nr, Datum FROM Belege WHERE "
                             "Kunde='O''Brien'"));
    EXPECT_EQ(q.detailSql(QStringLiteral("WHERE Nr>2"), QStringLiteral("Year(Datum)*12+Month(Datum)"), QStringLiteral("24288")),
              QStringLiteral("SELECT (Betrag) As Daten1, 1 As Daten2, 0 As Daten3, Nr, Datum FROM Belege WHERE Nr>2 AND "
                             "Year(Datum)*12+Month(Datum)=24288"));
    EXPECT_EQ(q.detailSql(QString(), QStringLiteral("Datum"), QStringLiteral("03.02.2024")).section(u' ', -1),
              QStringLiteral("Datum=#02/03/2024#"));
    EXPECT_EQ(q.detailSql(QString(), QStringLiteral("Nr"), QString()).section(u' ', -3), QStringLiteral("Nr IS NULL"));

    q.current = 1;
    EXPECT_EQ(q.chartSql(QString(), QStringLiteral("Kunde")),
              QStringLiteral("SELECT Kunde As Bezeichnung, SUM(Betrag) As Wert FROM Belege  GROUP BY Kunde HAVING "
                             "SUM(Betrag)<>0 ORDER BY Kunde"));
    q.sort = DBViewQuery::SortOrder::Up;
    EXPECT_TRUE(q.chartSql(QString(), QStringLiteral("Kunde")).endsWith(QStringLiteral("ORDER BY SUM(Betrag)")));
    q.current = 2;
    q.sort = DBViewQuery::SortOrder::Down;
    EXPECT_TRUE(q.chartSql(QString(), QStringLiteral("Kunde")).endsWith(QStringLiteral("HAVING COUNT(*)<>0 ORDER BY COUNT(*) DESC")));

    q.group2 = 2;
    EXPECT_EQ(q.crossSql(QStringLiteral("WHERE Nr>2")),
              QStringLiteral("TRANSFORM COUNT(*) AS Wert SELECT Kunde AS Spalte1 FROM Belege WHERE Nr>2 GROUP BY Kunde "
                             "PIVOT Year(Datum)*12+Month(Datum)"));
}

TEST(DBViewQuery, NoConnectionGivesEmptyReportsOfTheirKind)
{
    DBViewQuery q = belege();
    DBViewReport flat = q.run(nullptr);
    EXPECT_EQ(flat.kind, DBViewReport::Kind::Flat);
    EXPECT_EQ(flat.columns, QStringLiteral("Nr:1000R,kunde:2000,Datum:1300,"));
    EXPECT_TRUE(flat.rows.empty());
    q.group1 = 1;
    q.group2 = 2;
    DBViewReport cross = q.run(nullptr);
    EXPECT_EQ(cross.columns, QString());
    ASSERT_EQ(cross.rows.size(), 1u);
    EXPECT_EQ(cross.rows[0].text, QStringLiteral("???"));
    q.listMode = false;
    DBViewReport chart = q.run(nullptr);
    EXPECT_TRUE(chart.chart);
    EXPECT_EQ(chart.sets, 0);
}

} // namespace
