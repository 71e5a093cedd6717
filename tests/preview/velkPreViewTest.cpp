#include <velk/menu/velkMenuBar.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/PictureBox.h>
#include <velk/platform/Printer.h>
#include <velk/platform/ScriptedDialogs.h>
#include <velk/platform/ScriptedScreen.h>
#include <velk/preview/PreView.h>
#include <velk/preview/velkPreView.h>
#include <velk/sheet/velkSheet.h>

#include "support/TestSupport.h"

#include <QAction>
#include <QClipboard>
#include <QSignalSpy>

using namespace velk;

namespace {

QString pagesText(int pages)
{
    QString txt = QStringLiteral("$Font Arial\r\n$Size 12\r\n");
    for (int p = 1; p <= pages; ++p)
        txt += QStringLiteral("Seite #NAME %1 !B fett\r\n$line 1 1 2 2\r\n$page\r\n").arg(p);
    return txt + QStringLiteral("Ende");
}

RecordingPrinter *installRecordingPrinter(std::unique_ptr<ScopedPrinter> &scope)
{
    auto printer = std::make_unique<RecordingPrinter>();
    RecordingPrinter *raw = printer.get();
    scope = std::make_unique<ScopedPrinter>(std::move(printer));
    return raw;
}

// Clicks Bild1 at a point given in centimetres of the paper.
void clickAtCm(velkPreView &view, QPointF cm, Qt::MouseButton button = Qt::LeftButton)
{
    const double pxPerCm = view.Bild1()->width() / 21.0;
    QTest::mouseClick(view.Bild1(), button, {}, (cm * pxPerCm).toPoint());
}

} // namespace

TEST(velkPreView, StartsEmptyAndInitShowsPageOneOfAll)
{
    EXPECT_TRUE(ControlFactory::isRegistered(QStringLiteral("velkPreView")));
    velkPreView view;
    EXPECT_EQ(view.Text(), QStringLiteral("-"));
    EXPECT_EQ(view.property("Zoom").toDouble(), 1.0);
    ASSERT_TRUE(view.findChild<PictureBox *>(QStringLiteral("Bild1")));

    Canvas &canvas = view.Bild1()->canvas();
    canvas.setRecording(true);
    view.Init(pagesText(3), QStringLiteral("NAME=Test"));
    EXPECT_EQ(view.Pages(), 4);
    EXPECT_EQ(view.page(), 1);
    EXPECT_TRUE(view.Text().contains(QStringLiteral("Seite Test 1")));
    // The picture's scale is centimetres of the paper; its drawing arrives directly.
    EXPECT_NEAR(view.Bild1()->ScaleWidth(), 21, 1e-9);
    bool text = false, line = false;
    for (const DrawOp &op : canvas.recording()) {
        text = text || (op.kind == DrawOp::Text && op.text == QStringLiteral("Seite Test 1"));
        line = line || (op.kind == DrawOp::Line && op.rect == QRectF(QPointF(1, 1), QPointF(2, 2)));
    }
    EXPECT_TRUE(text);
    EXPECT_TRUE(line);
}

TEST(velkPreView, KeysPageAndScrollOnlyWhenZoomed)
{
    velkPreView view;
    view.resize(500, 600);
    view.Init(pagesText(2), {});
    QSignalSpy changes(view.events(), &velkPreViewEvents::PageChanged);
    QTest::keyClick(&view, Qt::Key_End);
    EXPECT_EQ(view.page(), 3);
    QTest::keyClick(&view, Qt::Key_PageDown);
    EXPECT_EQ(view.page(), 3);
    QTest::keyClick(&view, Qt::Key_PageUp);
    EXPECT_EQ(view.page(), 2);
    QTest::keyClick(&view, Qt::Key_Home);
    EXPECT_EQ(view.page(), 1);
    QTest::keyClick(&view, Qt::Key_PageUp);
    EXPECT_EQ(view.page(), 1);
    EXPECT_EQ(changes.count(), 3);

    const QPoint start = view.Bild1()->pos();
    view.KeyDown(39, 0);
    EXPECT_EQ(view.Bild1()->pos(), start); // zoom 1: arrows do nothing
    view.setZoom(2);
    const QPoint zoomed = view.Bild1()->pos();
    view.KeyDown(39, 0);
    view.KeyDown(40, 0);
    EXPECT_GT(view.Bild1()->x(), zoomed.x());
    EXPECT_GT(view.Bild1()->y(), zoomed.y());
    QResizeEvent resize(QSize(520, 600), view.size()); // a resize returns to zoom 1
    QCoreApplication::sendEvent(&view, &resize);
    EXPECT_EQ(view.Zoom(), 1.0);
}

TEST(velkPreView, ClicksStepTheZoomAndWrap)
{
    velkPreView view;
    view.Init(QStringLiteral("x"), {});
    clickAtCm(view, {5, 5});
    EXPECT_EQ(view.Zoom(), 2.0);
    clickAtCm(view, {5, 5});
    EXPECT_EQ(view.Zoom(), 5.0);
    EXPECT_NEAR(view.Bild1()->width(), 21 * 5 * 1440 / 2.54 / 15, 1);
    clickAtCm(view, {5, 5});
    EXPECT_EQ(view.Zoom(), 0.75);
    clickAtCm(view, {5, 5}, Qt::RightButton);
    EXPECT_EQ(view.Zoom(), 5.0);
    view.setZoom(1.5);
    clickAtCm(view, {5, 5});
    EXPECT_EQ(view.Zoom(), 1.5); // not a step: stays
}

TEST(velkPreView, DragPansWithoutRedrawingAndShortDragZooms)
{
    velkPreView view;
    view.Init(QStringLiteral("x"), {});
    Canvas &canvas = view.Bild1()->canvas();
    canvas.setRecording(true);
    canvas.clearRecording();

    const QPoint before = view.Bild1()->pos();
    view.MouseDown(1, 0, 5, 5);
    view.MouseMove(1, 0, 5.4f, 5.3f); // within 0.5 cm: not yet a drag
    EXPECT_EQ(view.Bild1()->pos(), before);
    view.MouseMove(1, 0, 6, 5);
    EXPECT_NEAR(view.Bild1()->x() - before.x(), 1 * 1440 / 2.54 / 15, 1);
    view.MouseUp(1, 0, 6, 5);
    EXPECT_EQ(view.Zoom(), 1.0);
    EXPECT_TRUE(canvas.recording().empty());

    view.MouseDown(1, 0, 5, 5);
    view.MouseMove(1, 0, 5.4f, 5.4f);
    view.MouseUp(1, 0, 5.4f, 5.4f);
    EXPECT_EQ(view.Zoom(), 2.0);
}

TEST(velkPreView, CopyGivesTextLinesOrThePictureWithModifiers)
{
    velkPreView view;
    view.Init(QStringLiteral("$Size 10\r\n' Kommentar\r\nEins !B zwei   \r\n!T3 drei\r\n$page"), {});
    ScriptedScreenScope screen;
    view.Copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Eins zwei\r\ndrei\r\n"));
    screen.screen().setKeyDown(17);
    view.Copy();
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), view.Bild1()->size());
}

TEST(velkPreView, PrintOutPrintsEveryPageOrSaysThereIsNoPrinter)
{
    velkPreView view;
    view.Init(QStringLiteral("$paper 29.7 21\r\nquer\r\n$page\r\nzwei"), {});
    {
        std::unique_ptr<ScopedPrinter> scope;
        RecordingPrinter *printer = installRecordingPrinter(scope);
        view.PrintOut();
        ASSERT_EQ(printer->jobs().size(), 1u);
        const RecordingPrinter::Job &job = printer->jobs().front();
        EXPECT_EQ(job.title, QStringLiteral("Drucken"));
        EXPECT_TRUE(job.landscape);
        EXPECT_TRUE(job.finished);
        ASSERT_EQ(job.pages.size(), 2u);
    }
    ScopedPrinter none(std::make_unique<NoPrinter>());
    ScopedDialogs dialogs;
    dialogs->answerMsgBox(MsgBoxResult::Ok);
    view.PrintOut();
    ASSERT_EQ(dialogs->questions().size(), 1u);
    EXPECT_EQ(dialogs->questions().front().prompt, QStringLiteral("Es ist kein Drucker installiert"));
    EXPECT_EQ(dialogs->questions().front().flags & MsgBoxStyle::IconMask, MsgBoxStyle::Information);
}

TEST(PreView, MenuFollowsThePageAndAsksForAPage)
{
    PreView form;
    velkPreView *view = form.findChild<velkPreView *>(QStringLiteral("View1"));
    velkMenuBar *bar = form.findChild<velkMenuBar *>(QStringLiteral("velkMenuBar1"));
    ASSERT_TRUE(view && bar);
    ASSERT_TRUE(form.findChild<QWidget *>(QStringLiteral("velkButton1")));
    ASSERT_TRUE(form.findChild<QWidget *>(QStringLiteral("velkButton2")));
    view->Init(pagesText(4), {});
    EXPECT_EQ(bar->GetItem(5), QStringLiteral("1/5"));
    auto enabled = [&](int id) {
        bool on = true;
        emit bar->events()->CheckState(id, on);
        return on;
    };
    EXPECT_TRUE(enabled(1) && enabled(2) && enabled(5) && enabled(6) && enabled(7));
    EXPECT_FALSE(enabled(3) || enabled(4));

    form.findChild<QAction *>(QStringLiteral("menu_last"))->trigger();
    EXPECT_EQ(view->page(), 5);
    EXPECT_EQ(bar->GetItem(5), QStringLiteral("5/5"));
    EXPECT_FALSE(enabled(6) || enabled(7));
    EXPECT_TRUE(form.findChild<QAction *>(QStringLiteral("menu_first"))->text().endsWith(QStringLiteral("\tPos1")));

    ScopedDialogs dialogs;
    dialogs->answerInputBox(QStringLiteral("3"));
    dialogs->answerInputBox(QStringLiteral("99"));
    form.Command(5);
    EXPECT_EQ(view->page(), 3);
    form.Command(5);
    EXPECT_EQ(view->page(), 3);
    EXPECT_EQ(dialogs->questions().front().prompt, QStringLiteral("Seite"));
    form.findChild<QWidget *>(QStringLiteral("velkButton1"))->setFocus();
    form.Command(4);
    EXPECT_EQ(view->page(), 2);
}

TEST(PreView, SheetPreviewIsCaptionedAndDirectPrintingPrints)
{
    velkSheet sheet;
    sheet.setColumns(QStringLiteral("Name:2000"));
    sheet.AddItem(QStringLiteral("Zeile"));
    ScopedDialogs dialogs;
    QString caption;
    int pages = 0;
    dialogs->answerForm([&](QDialog &form) {
        caption = form.windowTitle();
        pages = form.findChild<velkPreView *>(QStringLiteral("View1"))->Pages();
        form.accept();
    });
    PreView::ShowSheet(sheet, QStringLiteral("Liste"), QStringLiteral("06.12.2026"));
    EXPECT_EQ(caption, QStringLiteral("Druckvorschau Liste"));
    EXPECT_EQ(pages, 1);

    std::unique_ptr<ScopedPrinter> scope;
    RecordingPrinter *printer = installRecordingPrinter(scope);
    PreView::PrintSheet(sheet, QStringLiteral("Liste"), QStringLiteral("06.12.2026"));
    ASSERT_EQ(printer->jobs().size(), 1u);
    EXPECT_EQ(printer->jobs().front().pages.size(), 1u);
}

TEST(velkPreView, RedrawOffKeepsThePictureAndClearResets)
{
    velkPreView view;
    view.Init(pagesText(2), {});
    Canvas &canvas = view.Bild1()->canvas();
    canvas.setRecording(true);
    view.setRedraw(false);
    view.GotoPage(2);
    EXPECT_EQ(view.page(), 2);
    EXPECT_TRUE(canvas.recording().empty());
    view.setRedraw(true);
    EXPECT_FALSE(canvas.recording().empty());

    view.setZoom(2);
    view.Clear();
    EXPECT_EQ(view.Zoom(), 1.0);
    EXPECT_EQ(view.page(), 1);
    EXPECT_NEAR(view.Bild1()->width(), 21 * 1440 / 2.54 / 15, 1);
}

TEST(PreView, KeepsItsPlacementInTheSettings)
{
    {
        PreView form;
        form.setGeometry(40, 50, 500, 400);
        form.show();
        form.accept();
    }
    PreView again;
    again.show();
    EXPECT_EQ(again.size(), QSize(500, 400));
}
