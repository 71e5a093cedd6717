// The DB view on both backends: every report from the same rows, driven through the
// control's children and menus the way a user or host drives them.

#include "DataTestSupport.h"

#include <velk/platform/Canvas.h>
#include <velk/platform/DataRecordset.h>
#include <velk/platform/Printer.h>
#include <velk/platform/ScriptedDialogs.h>
#include <velk/sheet/SheetData.h>
#include <velk/sheet/velkSheet.h>
#include <velk/views/ChartModel_p.h>
#include <velk/views/DBViewQuery_p.h>
#include <velk/views/velkChart.h>
#include <velk/views/velkChart_p.h>
#include <velk/views/velkDBView.h>
#include <velk/views/velkDBView_p.h>

#include <support/TestSupport.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

using namespace velk;
using datatest::Backend;

namespace {

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

// A fresh Belege table; returns the view's Database text for it.
QString makeBelege(Backend backend)
{
    DataConnection db;
    QString database;
    if (backend == Backend::Sqlite) {
        static int counter = 0;
        const QString path = folder().filePath(QStringLiteral("belege%1.sqlite").arg(++counter));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        EXPECT_TRUE(db.Open(QStringLiteral("sqlite"), path));
        database = QStringLiteral("sqlite://") + path;
    } else {
        datatest::openFresh(backend, db);
        database = QStringLiteral("psql://") + datatest::postgresConnection();
    }
    datatest::exec(db, {"CREATE TABLE Belege (Nr INTEGER, Kunde TEXT, Datum DATE, Betrag DOUBLE PRECISION, Thema INTEGER)",
                        "INSERT INTO Belege VALUES (1, 'Meier', '2024-01-15', 10.5, 1)",
                        "INSERT INTO Belege VALUES (2, 'Meier', '2024-02-20', 20, 2)",
                        "INSERT INTO Belege VALUES (3, 'O''Brien', '2024-02-03', -5, 1)",
                        "INSERT INTO Belege VALUES (4, 'Schulz', '2023-12-31', 100, NULL)"});
    return database;
}

QStringList rowsOf(velkSheet *sheet, bool visibleOnly = false)
{
    QStringList rows;
    for (const auto &row : sheet->ListItems())
        if (!visibleOnly || row->Visible())
            rows << row->Text();
    return rows;
}

template<typename W> W *child(velkDBView &view, const char *name, int index)
{
    for (W *w : view.findChildren<W *>(QString::fromLatin1(name)))
        if (w->property("Index").toInt() == index)
            return w;
    return nullptr;
}

QAction *action(velkDBView &view, const char *name)
{
    return view.findChild<QAction *>(QString::fromLatin1(name));
}

class DBViewTest : public ::testing::TestWithParam<Backend>
{
protected:
    void SetUp() override
    {
        view.resize(640, 400);
        view.setDatabase(makeBelege(GetParam()));
        view.setTable(QStringLiteral("Belege"));
        view.setFieldCount(4);
        view.FieldAdd(QStringLiteral("Nr"), 0, QStringLiteral("Nummer"), false, QString());
        view.FieldAdd(QStringLiteral("Kunde"), 2000, QStringLiteral("Kunde"), true, QString());
        view.FieldAdd(QStringLiteral("Datum"), 1300, QStringLiteral("Datum"), true, QStringLiteral(""));
        view.FieldAdd(QStringLiteral("Betrag"), 1400, QStringLiteral("Betrag"), false, QString());
        view.setDatacount(2);
        view.DataAdd(QStringLiteral("Summe"), QStringLiteral("SUM(Betrag)"), QStringLiteral("#,##0.00"));
        view.DataAdd(QStringLiteral("Anzahl"), QStringLiteral("COUNT(*)"), QStringLiteral("#"));
        view.SelectionClear();
        view.setTextValue(QStringLiteral("[Nr] [Datum]"));
    }

    void groupBy()
    {
        view.SelectionAdd(QStringLiteral("Kunde"), QStringLiteral("Kunde"));
        view.SelectionAdd(QStringLiteral("Monat"), QStringLiteral("#MONTH(Datum)"));
        view.SelectionAdd(QStringLiteral("Thema"), QStringLiteral("Thema"));
    }

    velkSheet *sheet() { return view.GetSheet(); }
    velkDBView view;
};

TEST_P(DBViewTest, FlatListAndConditionControls)
{
    view.Refresh();
    EXPECT_EQ(view.GetHeader(), QStringLiteral("Nr:1000R,Kunde:2000,Datum:1300,Betrag:1400R,:0"));
    EXPECT_EQ(rowsOf(sheet()), (QStringList{QStringLiteral("1\tMeier\t15.01.2024\t10,5\t"),
                                            QStringLiteral("2\tMeier\t20.02.2024\t20\t"),
                                            QStringLiteral("3\tO'Brien\t03.02.2024\t-5\t"),
                                            QStringLiteral("4\tSchulz\t31.12.2023\t100\t")}));
    EXPECT_EQ(sheet()->flags(), QStringLiteral("richtext"));
    EXPECT_EQ(sheet()->LeftMargin(), 260);

    QComboBox *kunde = child<QComboBox>(view, "ComboCondition", 1);
    QLineEdit *datum = child<QLineEdit>(view, "TextCondition", 1);
    ASSERT_TRUE(kunde && datum);
    EXPECT_EQ(kunde->property("Tag").toString(), QStringLiteral("Kunde"));
    EXPECT_EQ(kunde->toolTip(), QStringLiteral("Kunde"));
    EXPECT_EQ(datum->property("Tag").toString(), QStringLiteral("Datum"));
    QStringList items;
    for (int i = 0; i < kunde->count(); ++i)
        items << kunde->itemText(i);
    EXPECT_EQ(items, (QStringList{QStringLiteral("(alle)"), QStringLiteral("Meier"), QStringLiteral("O'Brien"),
                                  QStringLiteral("Schulz")}));
    EXPECT_LT(kunde->geometry().right(), datum->geometry().left()) << "controls run left to right";

    kunde->setCurrentIndex(2); // a user choice queries at once; the quote is escaped
    EXPECT_EQ(rowsOf(sheet()), QStringList{QStringLiteral("3\tO'Brien\t03.02.2024\t-5\t")});
    kunde->setCurrentIndex(0);
    datum->setText(QStringLiteral("2.24"));
    Q_EMIT datum->editingFinished();
    EXPECT_EQ(sheet()->Count(), 2);
    EXPECT_EQ(datum->toolTip(), QStringLiteral("01.02.2024 - 29.02.2024"));
    datum->setText(QStringLiteral("Februar"));
    Q_EMIT datum->editingFinished();
    EXPECT_EQ(sheet()->Count(), 4) << "a text that is no date adds no term";
    EXPECT_EQ(datum->toolTip(), QStringLiteral(" - "));
}

TEST_P(DBViewTest, GroupedListTotalsReplacementsAndExpansion)
{
    groupBy();
    view.SetReplace(QStringLiteral("Kunde"), QStringLiteral("Meier=Meier GmbH\r\nSchulz=Schulz & Co"));
    view.Refresh();
    EXPECT_EQ(view.GetHeader(), QStringLiteral("Kunde:2000,Summe:1500R,Anzahl:1500R,:0"));
    EXPECT_EQ(rowsOf(sheet(), true), (QStringList{QStringLiteral("Meier=Meier GmbH\t30.50\t2"),
                                                  QStringLiteral("O'Brien\t-5.00\t1"),
                                                  QStringLiteral("Schulz=Schulz & Co\t100.00\t1"),
                                                  QStringLiteral("^Summe:\t125.50\t4")}));
    ASSERT_EQ(sheet()->Count(), 7);
    EXPECT_EQ(sheet()->ListItem(4)->Text(), QStringLiteral("..."));
    EXPECT_EQ(sheet()->ListItem(4)->Indent, 1);

    Q_EMIT sheet()->events()->expand(3); // O'Brien's detail query escapes the quote
    Q_EMIT sheet()->events()->expand(1);
    EXPECT_EQ(rowsOf(sheet()).mid(0, 6), (QStringList{QStringLiteral("Meier=Meier GmbH\t30.50\t2"),
                                                      QStringLiteral("1 15.01.2024\t10.50\t1"),
                                                      QStringLiteral("2 20.02.2024\t20.00\t1"),
                                                      QStringLiteral("O'Brien\t-5.00\t1"),
                                                      QStringLiteral("3 03.02.2024\t-5.00\t1"),
                                                      QStringLiteral("Schulz=Schulz & Co\t100.00\t1")}));
    EXPECT_EQ(sheet()->ListItem(2)->Indent, 1);
    EXPECT_TRUE(sheet()->Redraw());

    child<QComboBox>(view, "ComboGrp", 1)->setCurrentIndex(2); // by month
    EXPECT_EQ(view.GetHeader(), QStringLiteral("Monat:2000,Summe:1500R,Anzahl:1500R,:0"));
    EXPECT_EQ(rowsOf(sheet(), true), (QStringList{QStringLiteral("12/2023\t100.00\t1"), QStringLiteral("01/2024\t10.50\t1"),
                                                  QStringLiteral("02/2024\t15.00\t2"), QStringLiteral("^Summe:\t125.50\t4")}));
    Q_EMIT sheet()->events()->expand(5);
    EXPECT_EQ(rowsOf(sheet()).mid(5, 3), (QStringList{QStringLiteral("2 20.02.2024\t20.00\t1"),
                                                      QStringLiteral("3 03.02.2024\t-5.00\t1"),
                                                      QStringLiteral("^Summe:\t125.50\t4")}));
}

TEST_P(DBViewTest, CrossTableAndSignFilter)
{
    groupBy();
    child<QComboBox>(view, "ComboGrp", 2)->setCurrentIndex(3); // Kunde × Thema
    EXPECT_EQ(view.GetHeader(), QStringLiteral("Text:1500,(ohne):1500R,1:1500R,2:1500R,Summe:1500R"));
    EXPECT_EQ(rowsOf(sheet()), (QStringList{QStringLiteral("Meier\t\t10.50\t20.00\t30.50"),
                                            QStringLiteral("O'Brien\t\t-5.00\t\t-5.00"),
                                            QStringLiteral("Schulz\t100.00\t\t\t100.00"),
                                            QStringLiteral("^Summe:\t100.00\t5.50\t20.00\t125.50")}));

    view.setDataValue(QStringLiteral("Betrag"));
    action(view, "menu_werteneg")->trigger();
    EXPECT_FALSE(action(view, "menu_wertealle")->isChecked());
    EXPECT_EQ(rowsOf(sheet()), (QStringList{QStringLiteral("O'Brien\t-5.00\t-5.00"), QStringLiteral("^Summe:\t-5.00\t-5.00")}));

    view.setCondition(QStringLiteral("Nr > 100"));
    view.Refresh();
    EXPECT_EQ(view.GetHeader(), QString());
    EXPECT_EQ(rowsOf(sheet()), QStringList{QStringLiteral("???")});
    view.setCondition(QStringLiteral("Nr >>> kaputt"));
    view.Refresh(); // a failing query ends empty
    EXPECT_EQ(rowsOf(sheet()), QStringList{QStringLiteral("???")});
}

TEST_P(DBViewTest, ChartFeeding)
{
    groupBy();
    action(view, "menu_graph")->trigger();
    EXPECT_FALSE(action(view, "menu_liste")->isChecked());
    velkChart *chart = view.findChild<velkChart *>(QStringLiteral("velkChart1"));
    ASSERT_TRUE(chart);
    EXPECT_FALSE(chart->isHidden());
    EXPECT_TRUE(sheet()->isHidden());
    const ChartModel &m = velkChartAccess::model(*chart);
    ASSERT_EQ(m.sets(), 1);
    ASSERT_EQ(m.datacount(), 3);
    EXPECT_EQ(m.legend(1), QStringLiteral("Summe"));
    EXPECT_EQ(m.xLabel(2), QStringLiteral("O'Brien"));
    EXPECT_EQ(m.value(1, 1), 30.5);
    EXPECT_EQ(m.value(1, 3), 100);

    action(view, "menu_sortdown")->trigger();
    EXPECT_EQ(m.xLabel(1), QStringLiteral("Schulz"));
    EXPECT_EQ(m.xLabel(3), QStringLiteral("O'Brien"));
    QAction *anzahl = child<QAction>(view, "menu_data", 2);
    anzahl->trigger();
    EXPECT_FALSE(child<QAction>(view, "menu_data", 1)->isChecked());
    EXPECT_EQ(m.legend(1), QStringLiteral("Anzahl"));
    EXPECT_EQ(m.value(1, 1), 2);

    child<QComboBox>(view, "ComboGrp", 2)->setCurrentIndex(2); // Kunde × Monat: one set per month
    ASSERT_EQ(m.sets(), 3);
    EXPECT_EQ(m.legend(1), QStringLiteral("12/2023"));
    EXPECT_EQ(m.xLabel(1), QStringLiteral("Meier"));
    EXPECT_EQ(m.value(3, 1), 1);
    EXPECT_EQ(m.value(1, 3), 1);

    view.setCondition(QStringLiteral("Nr > 100"));
    view.Refresh();
    EXPECT_EQ(m.sets(), 0);
}

TEST_P(DBViewTest, ExportAndText)
{
    groupBy();
    view.Refresh();
    EXPECT_EQ(view.GetCVSData(), QStringLiteral("Meier; 30.50; 2\r\nO'Brien; -5.00; 1\r\nSchulz; 100.00; 1\r\nSumme:; 125.50; 4\r\n"));
    const QString file = folder().filePath(QStringLiteral("export.csv"));
    view.ExportExcel(file);
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(out.readAll(), QByteArray("\"Kunde\";\"Summe\";\"Anzahl\"\r\n\"Meier\";\"30.50\";\"2\"\r\n\"O'Brien\";\"-5.00\";\"1\"\r\n"
                                        "\"Schulz\";\"100.00\";\"1\"\r\n\"Summe:\";\"125.50\";\"4\"\r\n"));
}

INSTANTIATE_TEST_SUITE_P(Backends, DBViewTest, ::testing::Values(Backend::Sqlite, Backend::Postgres),
                         [](const auto &info) { return std::string(datatest::backendName(info.param)); });

// Behaviour that needs no particular backend: menus, the swap, hidden combos, the export's
// cell rules and its messages.
class DBViewControls : public DBViewTest
{
};

TEST_P(DBViewControls, MenusSwapAndHiddenCombos)
{
    for (const char *name : {"menu_liste", "menu_sortlabel", "menu_wertealle"})
        EXPECT_TRUE(action(view, name)->isChecked()) << name;
    for (const char *name : {"menu_graph", "menu_sortup", "menu_sortdown", "menu_wertepos", "menu_werteneg"})
        EXPECT_FALSE(action(view, name)->isChecked()) << name;
    EXPECT_EQ(child<QAction>(view, "menu_data", 1)->text(), QStringLiteral("Daten: Summe"));

    QComboBox *grp1 = child<QComboBox>(view, "ComboGrp", 1);
    QComboBox *grp2 = child<QComboBox>(view, "ComboGrp", 2);
    EXPECT_TRUE(grp1->isHidden());
    grp1->addItem(QStringLiteral("x"));
    grp1->setCurrentIndex(1); // hidden: no query
    EXPECT_EQ(view.GetHeader(), QString());
    view.SelectionClear();
    groupBy();
    EXPECT_EQ(grp1->currentIndex(), 1);
    EXPECT_EQ(grp2->currentIndex(), 0);
    EXPECT_EQ(view.GetHeader(), QString()) << "SelectionAdd does not query";

    QTest::mouseClick(view.findChild<QLabel *>(QStringLiteral("Label2")), Qt::LeftButton);
    EXPECT_EQ(grp1->currentIndex(), 0);
    EXPECT_EQ(grp2->currentIndex(), 1);
    EXPECT_EQ(view.GetHeader(), QStringLiteral("Kunde:2000,Summe:1500R,Anzahl:1500R,:0"));

    auto *ansicht = view.findChild<QMenu *>(QStringLiteral("menu_ansicht"));
    auto *optionen = view.findChild<QMenu *>(QStringLiteral("menu_optionen"));
    view.Click(1, 150, 150);
    EXPECT_TRUE(ansicht->isVisible());
    ansicht->hide();
    view.Click(2, 150, 150);
    EXPECT_TRUE(optionen->isVisible());
    optionen->hide();
    action(view, "menu_graph")->trigger();
    Q_EMIT view.findChild<velkChart *>(QStringLiteral("velkChart1"))->events()->MouseDown(2, 0, 300, 300);
    EXPECT_TRUE(optionen->isVisible());
    optionen->hide();
}

TEST_P(DBViewControls, ExportCellsAndMessages)
{
    ScopedDialogs dialogs;
    const QString file = folder().filePath(QStringLiteral("cells.csv"));
    velkSheet *s = sheet();
    s->setColumns(QStringLiteral("Text \"A\":1500,Betrag:1500R"));
    s->AddItem(QStringLiteral("^Summe:\t12,50 €"));
    s->AddItem(QStringLiteral("Er sagte \"ja\"\t7 DM"));
    s->AddItem(QStringLiteral("offen\t1 2 FF"));
    view.ExportExcel(file);
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(out.readAll(), QByteArray("\"Text \"\"A\"\"\";\"Betrag\"\r\n\"Summe:\";\"12,50\"\r\n"
                                        "\"Er sagte \"\"ja\"\"\";\"7\"\r\n\"offen\";\"1\"\r\n"));
    out.close();
    EXPECT_TRUE(dialogs->questions().empty());

    view.ExportExcel(folder().filePath(QStringLiteral("fehlt/liste.csv")));
    ASSERT_EQ(dialogs->questions().size(), 1u);
    EXPECT_EQ(dialogs->questions()[0].title, QStringLiteral("Export Excel"));
    EXPECT_TRUE(dialogs->questions()[0].prompt.contains(QStringLiteral("konnte nicht geschrieben werden")));

    groupBy();
    action(view, "menu_graph")->trigger();
    QFile::remove(file);
    view.ExportExcel(file);
    EXPECT_FALSE(QFile::exists(file));
    ASSERT_EQ(dialogs->questions().size(), 2u);
    EXPECT_EQ(dialogs->questions()[1].prompt, QStringLiteral("Export Grafik nicht möglich!"));
    EXPECT_EQ(dialogs->questions()[1].title, QStringLiteral("Export Excel"));
    EXPECT_EQ(dialogs->questions()[1].flags, MsgBoxStyle::Exclamation);
}

TEST_P(DBViewControls, PrintOutListAndChart)
{
    auto *recorder = new RecordingPrinter;
    ScopedPrinter printer{std::unique_ptr<Printer>(recorder)};
    groupBy();
    view.setHeader1(QStringLiteral("Belege nach Kunde"));
    view.setHeader2(QStringLiteral("Stand 06.12.2026"));
    view.Refresh();
    view.PrintOut();
    ASSERT_EQ(recorder->jobs().size(), 1u);
    QStringList printed;
    for (const auto &page : recorder->jobs()[0].pages)
        for (const DrawOp &op : page)
            if (op.kind == DrawOp::Text)
                printed << op.text;
    for (const char *text : {"Belege nach Kunde", "Stand 06.12.2026", "O'Brien", "30.50"})
        EXPECT_TRUE(printed.contains(QString::fromUtf8(text))) << text << " in " << printed.join(u'|').toStdString();

    action(view, "menu_graph")->trigger();
    view.PrintOut();
    ASSERT_EQ(recorder->jobs().size(), 2u);
    ASSERT_EQ(recorder->jobs()[1].pages.size(), 1u);
    const auto &ops = recorder->jobs()[1].pages[0];
    EXPECT_TRUE(std::any_of(ops.begin(), ops.end(), [](const DrawOp &op) { return op.kind == DrawOp::Picture; }));
    EXPECT_TRUE(recorder->jobs()[1].finished);
}

INSTANTIATE_TEST_SUITE_P(Sqlite, DBViewControls, ::testing::Values(Backend::Sqlite),
                         [](const auto &) { return std::string("sqlite"); });

TEST(DBViewNoConnection, EmptyViewNoError)
{
    velkDBView view;
    view.setDatabase(QStringLiteral("sqlite:///gibt/es/nicht.sqlite"));
    view.setTable(QStringLiteral("Belege"));
    view.setFieldCount(1);
    view.FieldAdd(QStringLiteral("Kunde"), 1000, QStringLiteral("Kunde"), true, QString());
    view.Refresh();
    EXPECT_EQ(view.GetSheet()->Count(), 0);
    QComboBox *kunde = child<QComboBox>(view, "ComboCondition", 1);
    ASSERT_TRUE(kunde);
    EXPECT_EQ(kunde->count(), 1);
    EXPECT_EQ(view.datacount(), 0);
    EXPECT_EQ(velkDBViewAccess::query(view).datas.size(), 1u) << "datacount 0 gives Anzahl";
    EXPECT_EQ(velkDBViewAccess::query(view).datas[0].value, QStringLiteral("COUNT(*)"));
}

} // namespace
