#include <velk/common/CalendarHelpers.h>
#include <velk/editors/velkKeywords.h>
#include <velk/platform/DataConnection.h>
#include <velk/platform/Printer.h>
#include <velk/platform/ScriptedDialogs.h>
#include <velk/sheet/SheetState_p.h>
#include <velk/sheet/velkSheet.h>
#include <velk/sheet/velkSheet_p.h>
#include <velk/views/DBViewQuery_p.h>
#include <velk/views/MultiViewModel_p.h>
#include <velk/views/velkChart_p.h>
#include <velk/views/velkDBView.h>
#include <velk/views/velkDBView_p.h>
#include <velk/views/velkMultiView.h>

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <support/TestSupport.h>

using namespace velk;

namespace {

QString pdfText(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Installs a PDF printer writing into a temporary folder for the test's lifetime.
struct ScopedPdfPrinter
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("druck.pdf"));
    std::unique_ptr<Printer> previous = Printer::setInstance(std::make_unique<PdfPrinter>(path));
    ~ScopedPdfPrinter() { Printer::setInstance(std::move(previous)); }
};

QString clipboardText() { return QGuiApplication::clipboard()->text(); }

} // namespace

TEST(MultiViewModel, MenuDefinitionsSplitIntoCaptionsParsAndSeparators)
{
    const auto entries = ParseMultiViewMenu(u"Öffnen|open,-,Löschen,,  ,Neu|,-");
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0].caption, QStringLiteral("Öffnen"));
    EXPECT_EQ(entries[0].par, QStringLiteral("open"));
    EXPECT_TRUE(entries[1].separator);
    EXPECT_EQ(entries[2].par, QStringLiteral("Löschen")) << "no par: the caption";
    EXPECT_EQ(entries[3].caption, QStringLiteral("Neu"));
    EXPECT_EQ(entries[3].par, QString()) << "an explicit empty par stays empty";
    EXPECT_TRUE(entries[4].separator);
    EXPECT_TRUE(ParseMultiViewMenu(u"").empty());
    EXPECT_TRUE(ParseMultiViewMenu(u",,,").empty());
}

TEST(MultiViewModel, DatePresetsComputeFromTodayAndFromTheFieldsText)
{
    const QDate today(2024, 3, 15);
    struct Row
    {
        const char *preset;
        const char *current;
        const char *expected;
    };
    const Row rows[] = {
        {"Standard", "", "1.2024"},
        {"Aktueller Kontoauszug", "", "01.02.2024 - 15.03.2024"},
        {"Ein Monat weiter zurück", "3.2024", "02.2024"},
        {"Ein Monat weiter voraus", "12.2023", "01.2024"},
        {"Ein Monat weiter voraus", "1.2024 - 2.2024", "02.2024 - 03.2024"},
        {"Ein Monat weiter zurück", "10.1.2024 - 20.1.2024", "10.12.2023 - 20.12.2023"},
        {"Ein Monat weiter voraus", "5.2024 - 1.2024", "04.2024"},
        {"Ein Monat weiter zurück", "", "02.2024"},
        {"Aktueller Monat", "", "03.2024"},
        {"Aktuelles Jahr", "", "2024"},
        {"Letztes Jahr", "", "2023"},
        {"Vorletztes Jahr", "", "2022"},
        {"alle verfügbaren Einträge", "2024", ""},
        {"Heute", "", "15.03.2024"},
        {"ein Monat weiter zurück", "31.3.2024", "29.02.2024"},
        {"ein Monat weiter voraus", "", "15.04.2024"},
        {"Ende letztes Jahr", "", "31.12.2023"},
        {"Ende vorletztes Jahr", "", "31.12.2022"},
        {"unbekannt", "2024", ""},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(std::string(r.preset) + " / " + r.current);
        EXPECT_EQ(ApplyDatePreset(QString::fromUtf8(r.preset), QString::fromUtf8(r.current), today, QStringLiteral("1.2024")),
                  QString::fromUtf8(r.expected));
    }
}

TEST(MultiViewModel, HeadStripWrapsKeepsPairsTogetherAndStaysInside)
{
    int bottom = 0;
    // 100 + 100 fit in 250; the pair 80 + 20 does not, so both go to the next row.
    auto rects = FlowHeadStrip({100, 100, 80, 20}, {false, false, false, true}, 250, 10, 20, 4, bottom);
    EXPECT_EQ(rects[1], QRect(104, 10, 100, 20));
    EXPECT_EQ(rects[2], QRect(0, 34, 80, 20));
    EXPECT_EQ(rects[3], QRect(84, 34, 20, 20));
    EXPECT_EQ(bottom, 58);
    rects = FlowHeadStrip({500, 30}, {false, false}, 120, 0, 20, 4, bottom);
    EXPECT_EQ(rects[0].width(), 120) << "narrowed to the strip";
    EXPECT_EQ(rects[1].topLeft(), QPoint(0, 24));
    FlowHeadStrip({}, {}, 100, 7, 20, 4, bottom);
    EXPECT_EQ(bottom, 7);
}

class MultiViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        view.resize(640, 400);
        sheet = view.SheetCtl();
    }
    QWidget *child(const char *name) { return view.findChild<QWidget *>(QString::fromLatin1(name)); }

    velkMultiView view;
    velkSheet *sheet = nullptr;
    ScopedDialogs dialogs;
};

TEST_F(MultiViewTest, ShowPicksOneChildAndSetsUpTheSheet)
{
    struct Row
    {
        const char *view, *shown, *stored, *flags;
        int margin;
    };
    const Row rows[] = {
        {"List", "Liste", "List", nullptr, 0},
        {"Graph", "velkChart1", "Graph", nullptr, 0},
        {"DBView", "DBView1", "DBView", nullptr, 0},
        {"View", "View1", "View", nullptr, 0},
        {"Sheet", "velkSheet1", "Sheet", "richtext", 260},
        {"DB", "velkSheet1", "DB", "richtext singleselect lightgrid edit selectcolumn background", 260},
        {"Table", "velkSheet1", "Table", "richtext multiselect lightgrid edit selectcolumn background", 50},
        {"Table260", "velkSheet1", "Table", "richtext multiselect lightgrid edit selectcolumn background", 260},
        {"Unbekannt", nullptr, "Unbekannt", nullptr, 0},
    };
    const char *dataChildren[] = {"Liste", "velkChart1", "DBView1", "View1", "velkSheet1", "velkKeywords1"};
    sheet->AddMenu(QStringLiteral("Alt"), QStringLiteral("alt"));
    for (const Row &r : rows) {
        SCOPED_TRACE(r.view);
        view.Show(QString::fromLatin1(r.view));
        EXPECT_EQ(view.SelectedView(), QString::fromLatin1(r.stored));
        for (const char *name : dataChildren)
            EXPECT_EQ(child(name)->isHidden(), !r.shown || qstrcmp(name, r.shown) != 0) << name;
        if (!r.flags)
            continue;
        EXPECT_EQ(sheet->flags(), QString::fromLatin1(r.flags));
        EXPECT_EQ(sheet->LeftMargin(), r.margin);
        const auto &menu = SheetInternals::state(*sheet).menuEntries();
        ASSERT_EQ(menu.size(), 1u);
        EXPECT_EQ(menu[0].caption, QStringLiteral("Keywords"));
        EXPECT_EQ(menu[0].cmd, QStringLiteral("Keywd"));
    }
    view.Show(QString());
    EXPECT_EQ(view.SelectedView(), QStringLiteral("Unbekannt")) << "an empty name changes nothing";
}

TEST_F(MultiViewTest, SheetEventsAreForwardedWithTheirAnswers)
{
    view.Show(QStringLiteral("DB"));
    view.SheetInit(QStringLiteral("Name:1400,Ort:1400,"));
    view.SheetAdd(QStringLiteral("Meier\tBonn\t"));
    view.SheetAdd(QStringLiteral("Huber\tUlm\t"));
    velkMultiViewEvents *ev = view.events();
    velkSheetEvents *se = sheet->events();

    QObject::connect(ev, &velkMultiViewEvents::IsEditable, [](int row, int col, bool &editable) { editable = !(row == 2 && col == 1); });
    bool enable = true;
    emit se->IsEditable(2, 1, enable);
    EXPECT_FALSE(enable);
    enable = true;
    emit se->IsEditable(2, 2, enable);
    EXPECT_TRUE(enable);

    QSignalSpy dbl(ev, &velkMultiViewEvents::DblClick);
    emit se->DblClick(2, 1);
    ASSERT_EQ(dbl.size(), 1);
    EXPECT_EQ(dbl[0][0].toInt(), 2);

    sheet->setSelectedIndex(2);
    sheet->setSelectedCol(2);
    QSignalSpy edit(ev, &velkMultiViewEvents::Edit);
    emit se->StartEdit();
    ASSERT_EQ(edit.size(), 1);
    EXPECT_EQ(edit[0][0].toInt(), 2);

    QSignalSpy update(ev, &velkMultiViewEvents::Update);
    view.SetSheetText(2, QStringLiteral("Köln"), 2);
    emit se->SaveEdit();
    ASSERT_EQ(update.size(), 1);
    EXPECT_EQ(update[0], (QList<QVariant>{2, 2, QStringLiteral("Köln")}));

    QSignalSpy rowSelect(ev, &velkMultiViewEvents::RowSelect);
    emit se->Click();
    ASSERT_EQ(rowSelect.size(), 1);
    EXPECT_EQ(rowSelect[0][0].toInt(), 2);
    EXPECT_EQ(rowSelect[0][1].toBool(), sheet->ListItem(2)->Selected);

    QSignalSpy sort(ev, &velkMultiViewEvents::Sort);
    emit se->ColumnClick(2);
    ASSERT_EQ(sort.size(), 1);
    EXPECT_EQ(sort[0][0].toString(), QStringLiteral("Ort"));

    QSignalSpy widths(ev, &velkMultiViewEvents::SetColumnWidth);
    emit se->SetColumnWidth();
    ASSERT_EQ(widths.size(), 1);
    EXPECT_EQ(widths[0][0].toString(), sheet->Columns());

    auto *keywords = view.findChild<velkKeywords *>(QStringLiteral("velkKeywords1"));
    emit se->Menu(QStringLiteral("Keywd"));
    EXPECT_FALSE(keywords->isHidden());
    EXPECT_LE(sheet->geometry().right(), keywords->geometry().left()) << "beside the data, not over it";
    emit se->Menu(QStringLiteral("Keywd"));
    EXPECT_TRUE(keywords->isHidden());
}

TEST_F(MultiViewTest, PopupMenuAsksEachEntryAndReportsTheChoice)
{
    view.setMenu(QStringLiteral("Öffnen|open,-,Löschen|del,Versteckt|hide"));
    QStringList asked;
    QObject::connect(view.events(), &velkMultiViewEvents::MenuCheckState,
            [&](const QString &par, bool &Checked, bool &Enabled, bool &Visible) {
                asked << par;
                Checked = par == u"open";
                Enabled = par != u"del";
                Visible = par != u"hide";
            });
    view.Show(QStringLiteral("Sheet"));
    view.SheetAdd(QStringLiteral("Zeile"));
    emit sheet->events()->ContextMenu(1);
    EXPECT_EQ(asked, (QStringList{"open", "del", "hide"}));
    auto *menu = view.findChild<QMenu *>(QStringLiteral("menu_popupitem"));
    ASSERT_TRUE(menu);
    const auto items = menu->findChildren<QAction *>(QStringLiteral("menu_popupitem"));
    ASSERT_EQ(items.size(), 3);
    EXPECT_TRUE(items[0]->isChecked());
    EXPECT_FALSE(items[1]->isEnabled());
    EXPECT_FALSE(items[2]->isVisible());

    QSignalSpy click(view.events(), &velkMultiViewEvents::MenuClick);
    items[0]->trigger();
    EXPECT_EQ(click.size(), 1);
    EXPECT_EQ(view.Selected(), QStringLiteral("open"));
    menu->close();

    // A right-click on the list opens the same menu.
    view.Show(QStringLiteral("List"));
    view.ListAdd(QStringLiteral("Eintrag"));
    asked.clear();
    auto *liste = view.findChild<QListWidget *>(QStringLiteral("Liste"));
    QTest::mouseClick(liste->viewport(), Qt::RightButton, {}, liste->visualItemRect(liste->item(0)).center());
    EXPECT_EQ(asked.size(), 3);
    EXPECT_EQ(view.ListIndex(), 1);
    menu->close();
}

TEST_F(MultiViewTest, HeadStripRaisesItsEventsAndKeepsPositionsOneBased)
{
    view.ComboAddControl(QStringLiteral("Jahr"));
    view.ComboAddControl(QStringLiteral("Konto"));
    view.ComboAddItem(2, QStringLiteral("Bank"));
    view.ComboAddItem(2, QStringLiteral("Kasse"));
    const auto combos = view.findChildren<QComboBox *>(QStringLiteral("ComboAuswahl"));
    ASSERT_EQ(combos.size(), 2);
    EXPECT_EQ(combos[1]->property("Index").toInt(), 2);
    EXPECT_EQ(combos[1]->toolTip(), QStringLiteral("Konto"));
    EXPECT_EQ(view.ComboIndex(2), 0) << "adding chooses nothing";
    view.ComboSetIndex(2, 2);
    EXPECT_EQ(view.ComboText(2), QStringLiteral("Kasse"));
    view.ComboSetIndex(2, 3);
    view.ComboSetIndex(9, 1);
    EXPECT_EQ(view.ComboIndex(2), 2) << "out of range is ignored";
    EXPECT_EQ(view.ComboItem(2, 1), QStringLiteral("Bank"));
    EXPECT_EQ(view.ComboCount(7), 0);

    QSignalSpy click(view.events(), &velkMultiViewEvents::ComboClick);
    QSignalSpy drop(view.events(), &velkMultiViewEvents::ComboDropDown);
    emit combos[1]->activated(0);
    combos[0]->showPopup();
    combos[0]->hidePopup();
    ASSERT_EQ(click.size(), 1);
    EXPECT_EQ(click[0][0].toInt(), 2);
    ASSERT_EQ(drop.size(), 1);
    EXPECT_EQ(drop[0][0].toInt(), 1);
    view.ComboRemoveControls();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(view.findChildren<QComboBox *>(QStringLiteral("ComboAuswahl")).isEmpty());

    view.setInputNewVisible(true);
    QSignalSpy newClick(view.events(), &velkMultiViewEvents::InputNewClick);
    QSignalSpy newText(view.events(), &velkMultiViewEvents::InputNewText);
    view.findChild<QPushButton *>(QStringLiteral("C_NeuerSatz"))->click();
    auto *box = view.findChild<QLineEdit *>(QStringLiteral("Textbx"));
    QTest::keyClicks(box, QStringLiteral("Miete"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(newClick.size(), 1);
    ASSERT_EQ(newText.size(), 1);
    EXPECT_EQ(newText[0][0].toString(), QStringLiteral("Miete"));
    view.InputNewClear();
    EXPECT_TRUE(box->text().isEmpty());

    view.setDatumVisible(true);
    view.setDatumText(QStringLiteral("2024"));
    QObject::connect(view.events(), &velkMultiViewEvents::DatumGetFullRange, [](QString &dat) { dat = QStringLiteral("2019 - 2024"); });
    QSignalSpy refresh(view.events(), &velkMultiViewEvents::Refresh);
    view.DatumPreset(QStringLiteral("alle verfügbaren Einträge"));
    EXPECT_EQ(view.DatumText(), QStringLiteral("2019 - 2024"));
    setToday(QDate(2024, 5, 2));
    view.DatumPreset(QStringLiteral("Aktueller Monat"));
    view.DatumPreset(QStringLiteral("Heute")) /* not offered for a range field */;
    setToday(QDate());
    EXPECT_EQ(view.DatumText(), QStringLiteral("05.2024"));
    EXPECT_EQ(refresh.size(), 2);

    auto *presets = view.findChild<QMenu *>(QStringLiteral("menu_datum"));
    view.findChild<QToolButton *>(QStringLiteral("C_DataPopup"))->click();
    EXPECT_TRUE(presets->isVisible());
    EXPECT_EQ(presets->actions().size(), 12);
    presets->close();
    view.setDatumType(1);
    QTest::keyClick(view.findChild<QLineEdit *>(QStringLiteral("DatumsBereich")), Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(presets->isVisible()) << "the keyboard opens the presets too";
    EXPECT_EQ(presets->actions().first()->text(), QStringLiteral("Heute"));
    presets->close();
}

TEST_F(MultiViewTest, ForwardingMembersReachTheDBViewChartAndList)
{
    view.DBViewInitSelections(QStringLiteral("Thema=ThemaID,Absender,Monat=#MONTH(Datum)"));
    auto *dbview = view.findChild<velkDBView *>(QStringLiteral("DBView1"));
    DBViewQuery &query = velkDBViewAccess::query(*dbview);
    EXPECT_EQ(query.selectionValues, (QStringList{"(ohne)", "ThemaID", "Absender", "#MONTH(Datum)"}));
    view.DBViewInitDatas(QStringLiteral("Betrag;Summe|SUM(Betrag)|0.00,Anzahl|COUNT(*)|#"));
    EXPECT_EQ(dbview->DataValue(), QStringLiteral("Betrag"));
    EXPECT_EQ(dbview->datacount(), 2);
    EXPECT_EQ(query.datas.size(), 2u);

    auto *chart = view.findChild<velkChart *>(QStringLiteral("velkChart1"));
    view.GraphInit(2, 3, true, QStringLiteral("Umsatz"));
    view.GraphSetColLabel(QStringLiteral("Jan"));
    view.GraphSetColLabel(QStringLiteral("Feb"));
    view.GraphSetRowLabel(2, QStringLiteral("2024"));
    view.GraphSetData(2, 3, 7.5);
    const ChartModel &model = velkChartAccess::model(*chart);
    EXPECT_EQ(model.typ(), 1);
    EXPECT_EQ(chart->title(), QStringLiteral("Umsatz"));
    EXPECT_EQ(model.xLabel(2), QStringLiteral("Feb"));
    EXPECT_EQ(model.legend(2), QStringLiteral("2024"));
    EXPECT_EQ(model.value(2, 3), 7.5);
    view.GraphInit(1, 2, false, QString());
    view.GraphSetColLabel(QStringLiteral("Q1"));
    EXPECT_EQ(model.typ(), 2);
    EXPECT_EQ(model.xLabel(1), QStringLiteral("Q1")) << "labels count from 1 again";

    view.SheetInit(QStringLiteral("Name:1400,"));
    view.SheetAdd(QStringLiteral("Eltern\t"), QString(), 0, false);
    view.SheetAdd(QStringLiteral("Kind\t"), QString(), 1);
    view.SheetExpand(1, true);
    EXPECT_TRUE(view.SheetItem(1)->Expanded);
    EXPECT_EQ(view.GetSheetIndent(2), 1);
    EXPECT_EQ(view.GetSheetIndent(9), -1);
    sheet->setSelectedIndex(2);
    EXPECT_EQ(view.Text(), QStringLiteral("Kind\t"));

    view.ListAdd(QStringLiteral("eins"), 11);
    view.ListAdd(QStringLiteral("zwei"), 22);
    view.ListRemove(5);
    view.setListIndex(3);
    EXPECT_EQ(view.ListCount(), 2);
    EXPECT_EQ(view.ListIndex(), 0);
    EXPECT_EQ(view.ListItemData(2), 22);
    view.ListRemove(1);
    EXPECT_EQ(view.ListItem(1), QStringLiteral("zwei"));
}

TEST_F(MultiViewTest, PrintingTheListWritesHeadersCaptionAndEntriesOverPages)
{
    auto recording = std::make_unique<RecordingPrinter>();
    RecordingPrinter *printer = recording.get();
    auto previous = Printer::setInstance(std::move(recording));
    view.setHeader1(QStringLiteral("Kontoliste"));
    for (int i = 1; i <= 70; ++i)
        view.ListAdd(QStringLiteral("Eintrag %1").arg(i));
    view.Show(QStringLiteral("List"));
    view.PrintOut(QStringLiteral("Konten"));
    ASSERT_EQ(printer->jobs().size(), 1u);
    const auto &pages = printer->jobs()[0].pages;
    ASSERT_EQ(pages.size(), 2u) << "70 lines do not fit one page";
    QStringList lines;
    for (const auto &page : pages)
        for (const DrawOp &op : page)
            if (op.kind == DrawOp::Text)
                lines << op.text;
    ASSERT_EQ(lines.size(), 74);
    EXPECT_EQ(lines.mid(0, 5), (QStringList{"Kontoliste", "", "Konten", QString(80, u'-'), "Eintrag 1"}))
        << "no Header2 line when it is empty";
    EXPECT_TRUE(printer->jobs()[0].finished);
    Printer::setInstance(std::move(previous));
}

TEST_F(MultiViewTest, PrintOutWritesAPdfPerViewOrSaysItCannot)
{
    ScopedPdfPrinter printer;
    view.setHeader1(QStringLiteral("Kontoliste"));
    view.setHeader2(QStringLiteral("Stand März"));
    view.ListAdd(QStringLiteral("Eintrag 1"));
    view.Show(QStringLiteral("List"));
    view.PrintOut(QStringLiteral("Konten"));
    const QString text = pdfText(printer.path);
    EXPECT_TRUE(text.contains(QStringLiteral("Stand März")));
    EXPECT_TRUE(text.contains(QStringLiteral("Eintrag 1")));

    QFile::remove(printer.path);
    view.Show(QStringLiteral("Table"));
    view.SheetInit(QStringLiteral("Konto:2000,Saldo:1400,"));
    view.SheetAdd(QStringLiteral("Girokonto\t1.250,00\t"));
    view.PrintOut();
    EXPECT_TRUE(pdfText(printer.path).contains(QStringLiteral("Girokonto")));

    QFile::remove(printer.path);
    view.Show(QStringLiteral("Graph"));
    view.GraphInit(1, 2, false, QStringLiteral("Saldo"));
    view.PrintOut();
    EXPECT_TRUE(QFile::exists(printer.path));

    QFile::remove(printer.path);
    view.Show(QStringLiteral("DBView"));
    view.PrintOut();
    EXPECT_TRUE(pdfText(printer.path).contains(QStringLiteral("Kontoliste"))) << "the headers go to the DB view";

    QFile::remove(printer.path);
    view.PreviewInit(QStringLiteral("Vorschau für #WER"), QStringLiteral("WER=Meier"));
    view.Show(QStringLiteral("View"));
    view.PrintOut();
    EXPECT_TRUE(pdfText(printer.path).contains(QStringLiteral("Vorschau für Meier")));

    QFile::remove(printer.path);
    view.Show(QStringLiteral("Nichts"));
    dialogs->answerMsgBox(MsgBoxResult::Ok);
    view.PrintOut();
    EXPECT_FALSE(QFile::exists(printer.path));
    ASSERT_EQ(dialogs->questions().size(), 1u);
    EXPECT_EQ(dialogs->questions()[0].prompt, QStringLiteral("Drucken wird für diese Ansicht noch nicht unterstützt."));
    EXPECT_EQ(dialogs->questions()[0].title, QStringLiteral("Drucken"));
    EXPECT_EQ(dialogs->questions()[0].flags, MsgBoxStyle::Exclamation);
}

TEST_F(MultiViewTest, CopyAndCutFollowTheView)
{
    view.ListAdd(QStringLiteral("eins"));
    view.ListAdd(QStringLiteral("zwei"));
    view.Show(QStringLiteral("List"));
    view.Copy();
    EXPECT_EQ(clipboardText(), QStringLiteral("eins\r\nzwei\r\n"));

    view.Show(QStringLiteral("DB"));
    view.SheetInit(QStringLiteral("A:1000,B:1000,"));
    view.SheetAdd(QStringLiteral("Kopf\t\t"));
    view.SheetAdd(QStringLiteral("x\ty\t"), QString(), 1);
    view.Copy();
    EXPECT_EQ(clipboardText(), QStringLiteral("Kopf\t\r\n\tx\ty\r\n"));

    sheet->setSelectedIndex(2);
    sheet->setSelectedCol(2);
    QSignalSpy update(view.events(), &velkMultiViewEvents::Update);
    view.Cut();
    EXPECT_EQ(clipboardText(), QStringLiteral("y"));
    EXPECT_EQ(view.GetSheetText(2, 2), QString());
    ASSERT_EQ(update.size(), 1);
    EXPECT_EQ(update[0], (QList<QVariant>{2, 2, QString()}));

    view.Show(QStringLiteral("Graph"));
    QGuiApplication::clipboard()->clear();
    view.Copy();
    EXPECT_FALSE(QGuiApplication::clipboard()->image().isNull());

    view.Show(QStringLiteral("View"));
    for (int i = 0; i < 3; ++i)
        dialogs->answerMsgBox(MsgBoxResult::Ok);
    view.Copy();
    view.Cut();
    view.Show(QStringLiteral("Table"));
    view.Cut();
    ASSERT_EQ(dialogs->questions().size(), 3u);
    EXPECT_EQ(dialogs->questions()[0].prompt, QStringLiteral("Kopieren wird für die Ansicht View noch nicht unterstützt."));
    EXPECT_EQ(dialogs->questions()[0].title, QStringLiteral("Kopieren"));
    EXPECT_EQ(dialogs->questions()[1].prompt, QStringLiteral("Ausschneiden wird für die Ansicht View noch nicht unterstützt."));
    EXPECT_EQ(dialogs->questions()[2].title, QStringLiteral("Ausschneiden"));
}

TEST_F(MultiViewTest, GridDatabaseFillsTheSheetThroughAnAdoConnection)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("konten.sqlite"));
    {
        QFile file(path); // an empty file is an empty SQLite database
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    {
        DataConnection db;
        ASSERT_TRUE(db.Open(QStringLiteral("sqlite"), path)) << db.lastError().toStdString();
        std::unique_ptr<DataRecordset> rs;
        ASSERT_TRUE(db.OpenRecordset(QStringLiteral("CREATE TABLE Konten (Name TEXT, Saldo DOUBLE)"), 2, rs));
        ASSERT_TRUE(db.OpenRecordset(QStringLiteral("INSERT INTO Konten VALUES ('O''Brien', 12.5), ('Kasse', NULL)"), 2, rs));
    }
    view.Show(QStringLiteral("Table"));
    view.GridDatabase(path, QStringLiteral("SELECT Name, Saldo FROM Konten ORDER BY Name"));
    velkSheet same;
    same.setColumns(QStringLiteral("Name:1400,Saldo:1400,"));
    EXPECT_EQ(sheet->Columns(), same.Columns());
    ASSERT_EQ(view.SheetCount(), 3);
    EXPECT_EQ(view.GetSheetText(1), QStringLiteral("Kasse\t\t"));
    EXPECT_EQ(view.GetSheetText(2), QStringLiteral("O'Brien\t12,5\t"));
    EXPECT_EQ(view.GetSheetText(3), QStringLiteral(" "));
    EXPECT_TRUE(view.SheetRedraw());

    view.GridDatabase(path, QStringLiteral("SELECT * FROM Fehlt"));
    EXPECT_EQ(view.SheetCount(), 0) << "a failed query leaves the sheet empty";
    view.GridDatabase(dir.filePath(QStringLiteral("nicht-da.sqlite")), QStringLiteral("SELECT 1"));
    EXPECT_EQ(view.SheetCount(), 0);
    EXPECT_TRUE(view.SheetRedraw());
}

TEST_F(MultiViewTest, HeadStripControlsNeverOverlapAndTheDataStartsBelowThem)
{
    for (int i = 0; i < 3; ++i)
        view.ComboAddControl(QStringLiteral("Auswahl %1").arg(i + 1));
    view.setDatumVisible(true);
    view.setInputNewVisible(true);
    view.setHeader1(QStringLiteral("Kopf"));
    view.Show(QStringLiteral("Table"));
    view.setAttribute(Qt::WA_DontShowOnScreen); // a hidden widget gets its resize events only when shown
    view.show();
    for (const int width : {260, 480, 1400}) {
        SCOPED_TRACE(width);
        view.resize(width, 400);
        std::vector<QWidget *> strip;
        for (QWidget *w : view.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (!w->isHidden() && w != sheet && !qobject_cast<QMenu *>(w))
                strip.push_back(w);
        ASSERT_EQ(strip.size(), 7u);
        for (size_t i = 0; i < strip.size(); ++i) {
            EXPECT_TRUE(view.rect().contains(strip[i]->geometry())) << strip[i]->objectName().toStdString();
            EXPECT_LE(strip[i]->geometry().bottom(), sheet->geometry().top());
            for (size_t j = i + 1; j < strip.size(); ++j)
                EXPECT_FALSE(strip[i]->geometry().intersects(strip[j]->geometry()))
                    << strip[i]->objectName().toStdString() << " / " << strip[j]->objectName().toStdString();
        }
        EXPECT_EQ(sheet->geometry().bottom(), view.height() - 1);
    }
    view.Clear();
    EXPECT_EQ(view.SheetCount(), 0);
}
