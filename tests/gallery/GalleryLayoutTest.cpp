// In-process tests of the gallery window: every page at a small and a large window size,
// the menus the pages open, the start page and the keyboard.

#include "GalleryMenus.h"
#include "GalleryPage.h"
#include "GallerySnapIn.h"
#include "GalleryWindow.h"
#include "SampleArchive.h"

#include <velk/frame/velkFrameControl.h>
#include <velk/menu/velkMenuBar.h>
#include <velk/xml/StdXML.h>
#include <velk/menu/velkMenuBar_p.h>
#include <velk/menu/velkMenuPopup.h>
#include <velk/platform/ControlFactory.h>
#include <velk/sheet/SheetData.h>
#include <velk/sheet/velkSheet.h>

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace velk;

namespace {

void settle()
{
    for (int i = 0; i < 4; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCoreApplication::processEvents();
    }
}

// What a user sees as one control: the library's controls and Qt's standard widgets. Their
// own children are internals; plain containers are looked into.
bool isControl(const QWidget *w)
{
    if (QByteArray(w->metaObject()->className()).startsWith("velk::"))
        return true;
    if (qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QLabel *>(w)
        || qobject_cast<const QLineEdit *>(w) || qobject_cast<const QComboBox *>(w)
        || qobject_cast<const QAbstractSpinBox *>(w) || qobject_cast<const QAbstractSlider *>(w)
        || qobject_cast<const QAbstractScrollArea *>(w) || qobject_cast<const QProgressBar *>(w)
        || qobject_cast<const QTabBar *>(w))
        return true;
    // A custom widget without children of its own draws itself: a control too.
    return w->findChildren<QWidget *>(Qt::FindDirectChildrenOnly).isEmpty() && !qobject_cast<const QGroupBox *>(w);
}

void collectControls(QWidget *container, std::vector<QWidget *> &controls)
{
    for (QWidget *child : container->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow() || !child->isVisible() || child->width() <= 0 || child->height() <= 0)
            continue;
        if (isControl(child))
            controls.push_back(child);
        else
            collectControls(child, controls);
    }
}

QString describe(const QWidget *w, const QWidget *page)
{
    const QRect r(w->mapTo(page, QPoint(0, 0)), w->size());
    QString name = QString::fromLatin1(w->metaObject()->className());
    if (!w->objectName().isEmpty())
        name += u' ' + w->objectName();
    if (const auto *label = qobject_cast<const QLabel *>(w))
        name += QStringLiteral(" \"%1\"").arg(label->text().left(30));
    if (const auto *button = qobject_cast<const QAbstractButton *>(w))
        name += QStringLiteral(" \"%1\"").arg(button->text());
    return QStringLiteral("%1 at %2,%3 %4x%5").arg(name).arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// Controls that overlap each other or reach outside the page.
QStringList layoutFaults(QWidget *page)
{
    std::vector<QWidget *> controls;
    collectControls(page, controls);
    QStringList faults;
    std::vector<QRect> rects;
    for (QWidget *w : controls) {
        const QRect r(w->mapTo(page, QPoint(0, 0)), w->size());
        if (!page->rect().contains(r))
            faults << QStringLiteral("outside the page (%1x%2): %3").arg(page->width()).arg(page->height()).arg(describe(w, page));
        rects.push_back(r);
    }
    for (size_t i = 0; i < controls.size(); ++i) {
        for (size_t j = i + 1; j < controls.size(); ++j) {
            if (rects[i].intersects(rects[j]))
                faults << QStringLiteral("overlap: %1 / %2").arg(describe(controls[i], page), describe(controls[j], page));
        }
    }
    return faults;
}

TEST(GalleryLayoutCheck, FindsOverlappingAndOutlyingControlsButLooksPastContainers)
{
    QWidget page;
    page.resize(300, 200);
    auto *box = new QWidget(&page); // a plain container: its children are the controls
    box->setGeometry(0, 0, 300, 100);
    auto *first = new QLabel(QStringLiteral("Titel"), box);
    first->setGeometry(10, 10, 100, 20);
    auto *second = new QLineEdit(box);
    second->setGeometry(120, 10, 100, 20);
    auto *third = new QLabel(QStringLiteral("Datum"), &page);
    third->setGeometry(10, 120, 100, 20);
    page.setAttribute(Qt::WA_DontShowOnScreen);
    page.show();
    EXPECT_TRUE(layoutFaults(&page).isEmpty()) << layoutFaults(&page).join(u'\n').toStdString();

    second->move(90, 15); // onto the label
    ASSERT_EQ(layoutFaults(&page).size(), 1);
    EXPECT_TRUE(layoutFaults(&page).first().startsWith(QStringLiteral("overlap")));
    second->move(120, 10);
    third->move(250, 120); // past the right edge
    ASSERT_EQ(layoutFaults(&page).size(), 1);
    EXPECT_TRUE(layoutFaults(&page).first().startsWith(QStringLiteral("outside")));
    third->hide(); // hidden controls do not count
    EXPECT_TRUE(layoutFaults(&page).isEmpty());
}

class GalleryWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        archive = std::make_unique<SampleArchive>(dir.filePath(QStringLiteral("archive.sqlite")));
        ASSERT_TRUE(archive->isOpen()) << archive->errorText().toStdString();
    }

    QTemporaryDir dir;
    std::unique_ptr<SampleArchive> archive;
};

TEST_F(GalleryWindowTest, EveryPageKeepsItsControlsApartAtSmallAndLargeWindowSizes)
{
    GalleryWindow window(*archive);
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    ASSERT_GT(window.pageCount(), 1);
    for (const QSize size : {QSize(640, 420), QSize(1600, 1000)}) {
        window.resize(size);
        settle();
        for (int i = 0; i < window.pageCount(); ++i) {
            SCOPED_TRACE(QStringLiteral("%1 at %2x%3").arg(window.pageTitle(i)).arg(size.width()).arg(size.height()).toStdString());
            window.showPage(i);
            settle();
            QWidget *page = window.pageWidget(i);
            ASSERT_NE(page, nullptr);
            ASSERT_TRUE(page->isVisible());
            EXPECT_EQ(window.currentPage(), i);
            EXPECT_EQ(window.statusBar()->findChild<QLabel *>(QStringLiteral("pageName"))->text(),
                      QStringLiteral("Seite: ") + window.pageTitle(i));
            // A page never gets less room than its layout needs: it scrolls instead.
            if (page->layout())
                EXPECT_TRUE(page->width() >= page->minimumSizeHint().width() && page->height() >= page->minimumSizeHint().height());
            std::vector<QWidget *> controls;
            collectControls(page, controls);
            EXPECT_FALSE(controls.empty());
            const QStringList faults = layoutFaults(page);
            EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
        }
    }
}

TEST_F(GalleryWindowTest, EveryPageHasAPurposeAHelpAndTheStartPageLinksEveryControlWithAPage)
{
    QStringList withPage;
    for (const GalleryPage &page : GalleryPages::all()) {
        EXPECT_FALSE(page.purposeText().isEmpty()) << page.title.toStdString();
        EXPECT_FALSE(page.helpText().isEmpty()) << page.title.toStdString();
        for (const QString &name : page.controlNames()) {
            EXPECT_TRUE(ControlFactory::isRegistered(name)) << name.toStdString() << " on " << page.title.toStdString();
            withPage << name;
        }
    }
    EXPECT_TRUE(withPage.contains(QStringLiteral("velkSheet")));
    EXPECT_TRUE(withPage.contains(QStringLiteral("velkMenuBar")));

    GalleryWindow window(*archive);
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    window.showPage(0);
    settle();
    QWidget *overview = window.pageWidget(0);
    ASSERT_NE(overview, nullptr);
    for (const QString &name : withPage) {
        SCOPED_TRACE(name.toStdString());
        auto *link = overview->findChild<QLabel *>(QStringLiteral("link_") + name);
        ASSERT_NE(link, nullptr);
        EXPECT_TRUE(link->text().contains(GalleryPages::pageOf(name)->purposeText().toHtmlEscaped()));
        EXPECT_NE(overview->findChild<QLabel *>(QStringLiteral("thumbnail_") + name), nullptr);
    }
    // The thumbnails are drawn after the page is up.
    for (int i = 0; i < 200 && overview->findChild<QLabel *>(QStringLiteral("thumbnail_velkSheet"))->pixmap().isNull(); ++i)
        QCoreApplication::processEvents();
    EXPECT_FALSE(overview->findChild<QLabel *>(QStringLiteral("thumbnail_velkSheet"))->pixmap().isNull());
    // Following a link shows the control's page.
    auto *link = overview->findChild<QLabel *>(QStringLiteral("link_velkSheet"));
    ASSERT_NE(link, nullptr);
    const QString title = GalleryPages::pageOf(QStringLiteral("velkSheet"))->title;
    emit link->linkActivated(title);
    settle();
    ASSERT_GE(window.currentPage(), 0);
    EXPECT_EQ(window.pageTitle(window.currentPage()), title);
}

TEST_F(GalleryWindowTest, CtrlTabSwitchesPagesAndF1ShowsThePagesHelp)
{
    GalleryWindow window(*archive);
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    // Shortcuts go to the active window.
    QApplication::setActiveWindow(&window);
    window.showPage(0);
    settle();
    QTest::keyClick(&window, Qt::Key_Tab, Qt::ControlModifier);
    settle();
    EXPECT_EQ(window.currentPage(), 1);
    QTest::keyClick(&window, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(&window, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    settle();
    EXPECT_EQ(window.currentPage(), window.pageCount() - 1); // wraps around

    QTest::keyClick(&window, Qt::Key_F1);
    settle();
    auto *help = window.findChild<QMessageBox *>(QStringLiteral("pageHelp"));
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->text().contains(GalleryPages::all().back().helpText().left(20).toHtmlEscaped()));
}

// The page's picture with the event log blanked: the log changes on every click.
QImage pictureOf(QWidget *page)
{
    settle();
    QImage image = page->grab().toImage();
    QPainter painter(&image);
    for (QLabel *log : page->findChildren<QLabel *>(QStringLiteral("eventLog")))
        painter.fillRect(QRect(log->mapTo(page, QPoint(0, 0)), log->size()), Qt::black);
    return image;
}

struct DropDownItem
{
    int bar; ///< index among the page's visible bars
    int id;
    bool split;
};

std::vector<velkMenuBar *> visibleBars(QWidget *page)
{
    std::vector<velkMenuBar *> bars;
    for (velkMenuBar *bar : page->findChildren<velkMenuBar *>()) {
        if (bar->isVisible())
            bars.push_back(bar);
    }
    return bars;
}

// Every item of a visible bar that shows a drop-down marker: "#v" or a split "#|v".
std::vector<DropDownItem> dropDownItems(QWidget *page)
{
    std::vector<DropDownItem> items;
    const std::vector<velkMenuBar *> bars = visibleBars(page);
    for (size_t b = 0; b < bars.size(); ++b) {
        for (int id = 1; id <= bars[b]->Count(); ++id) {
            const QString marker = bars[b]->GetItem(id).section(u'#', 2);
            if (marker == u"v" || marker == u"|v")
                items.push_back({int(b), id, marker == u"|v"});
        }
    }
    return items;
}

TEST_F(GalleryWindowTest, DropDownEntriesOpenAMenuWhoseCommandsChangeThePage)
{
    int pagesWithMenus = 0;
    for (const GalleryPage &page : GalleryPages::all()) {
        QWidget host;
        host.setAttribute(Qt::WA_DontShowOnScreen);
        host.resize(1100, 720);
        std::vector<DropDownItem> items;
        {
            std::unique_ptr<QWidget> probe(page.create(*archive, &host));
            probe->resize(host.size());
            host.show();
            settle();
            items = dropDownItems(probe.get());
        }
        if (items.empty())
            continue;
        ++pagesWithMenus;
        // Each item on a fresh page, so an earlier command cannot leave the list as the next wants it.
        for (const DropDownItem &item : items) {
            std::unique_ptr<QWidget> widget(page.create(*archive, &host));
            widget->resize(host.size());
            widget->show();
            settle();
            velkMenuBar *bar = visibleBars(widget.get())[size_t(item.bar)];
            SCOPED_TRACE(QStringLiteral("%1: %2").arg(page.title, bar->GetItem(item.id)).toStdString());
            const std::shared_ptr<const MenuLayout> layout = MenuBarAccess::layout(*bar);
            const QRect target = item.split ? layout->arrowRect(item.id) : layout->captionRect(item.id);
            ASSERT_FALSE(target.isEmpty());
            QTest::mouseClick(bar, Qt::LeftButton, {}, target.center());
            settle();
            QWidget *popup = GalleryMenus::openPopup();
            ASSERT_NE(popup, nullptr);
            auto *list = popup->findChild<velkMenuPopup *>();
            ASSERT_NE(list, nullptr);
            ASSERT_FALSE(list->Menu().isEmpty());
            // Under the item (beside it in a vertical bar), moved left only to stay on the screen.
            const QRect shown = popup->frameGeometry();
            const QRect entry(bar->mapToGlobal(layout->itemRect(item.id).topLeft()), layout->itemRect(item.id).size());
            const int screenRight = popup->screen()->availableGeometry().right();
            if (layout->isVertical()) {
                EXPECT_NEAR(shown.left(), qMin(entry.right(), screenRight - shown.width() + 1), 4);
                EXPECT_NEAR(shown.top(), entry.top(), 4);
            } else {
                EXPECT_NEAR(shown.left(), qMin(entry.left(), screenRight - shown.width() + 1), 4);
                EXPECT_NEAR(shown.top(), entry.bottom(), 4);
            }

            const QImage before = pictureOf(widget.get());
            QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(list->width() / 2, 3));
            settle();
            EXPECT_EQ(GalleryMenus::openPopup(), nullptr);
            EXPECT_NE(pictureOf(widget.get()), before);
        }
    }
    EXPECT_GE(pagesWithMenus, 1);
}

TEST_F(GalleryWindowTest, EveryItemOfTheMenuStyleBarOpensAMenu)
{
    QWidget host;
    host.setAttribute(Qt::WA_DontShowOnScreen);
    const std::optional<GalleryPage> page = GalleryPages::pageOf(QStringLiteral("velkMenuBar"));
    ASSERT_TRUE(page);
    std::unique_ptr<QWidget> widget(page->create(*archive, &host));
    host.resize(1100, 720);
    widget->resize(host.size());
    host.show();
    settle();
    int menuBars = 0;
    for (velkMenuBar *bar : visibleBars(widget.get())) {
        if (bar->styleNumber() != 3 || bar->width() < bar->height())
            continue;
        ++menuBars;
        const std::shared_ptr<const MenuLayout> layout = MenuBarAccess::layout(*bar);
        for (int id = 1; id <= bar->Count(); ++id) {
            if (layout->captionRect(id).isEmpty())
                continue; // a separator
            SCOPED_TRACE(bar->MenuItem(id).toStdString());
            QTest::mouseClick(bar, Qt::LeftButton, {}, layout->captionRect(id).center());
            settle();
            QWidget *popup = GalleryMenus::openPopup();
            ASSERT_NE(popup, nullptr);
            EXPECT_FALSE(popup->findChild<velkMenuPopup *>()->Menu().isEmpty());
            popup->close();
        }
    }
    EXPECT_EQ(menuBars, 1);
}

TEST_F(GalleryWindowTest, TheKeyboardMovesThroughAnOpenMenuAndChoosesWithEnter)
{
    QWidget anchor;
    anchor.setAttribute(Qt::WA_DontShowOnScreen);
    anchor.show();
    QString chosen;
    QWidget *popup = GalleryMenus::open(&anchor, 0, 0,
                                        {{QStringLiteral("Neu"), [&] { chosen = QStringLiteral("Neu"); }},
                                         {QStringLiteral("-"), {}},
                                         {QStringLiteral("Öffnen"), [&] { chosen = QStringLiteral("Öffnen"); }}});
    ASSERT_NE(popup, nullptr);
    auto *list = popup->findChild<velkMenuPopup *>();
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Down); // past the separator
    EXPECT_EQ(list->Selected(), 2);
    QTest::keyClick(popup, Qt::Key_Down); // wraps to the first line
    QTest::keyClick(popup, Qt::Key_Up);
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_EQ(chosen, QStringLiteral("Öffnen"));
    settle();
    EXPECT_EQ(GalleryMenus::openPopup(), nullptr);
    EXPECT_EQ(GalleryMenus::open(&anchor, 0, 0, {}), nullptr) << "no entries, no menu";
}

} // namespace

namespace {

TEST_F(GalleryWindowTest, TheListsPathLineFollowsAnEditedTitle)
{
    const std::optional<GalleryPage> page = GalleryPages::pageOf(QStringLiteral("velkSheet"));
    ASSERT_TRUE(page);
    QWidget host;
    host.setAttribute(Qt::WA_DontShowOnScreen);
    std::unique_ptr<QWidget> widget(page->create(*archive, &host));
    host.resize(1100, 720);
    widget->resize(host.size());
    host.show();
    settle();
    auto *sheet = widget->findChild<velkSheet *>(QStringLiteral("velkSheet1"));
    auto *status = widget->findChild<QLabel *>(QStringLiteral("status"));
    ASSERT_TRUE(sheet && status);
    int row = 1;
    while (row <= sheet->Count() && sheet->ListItem(row)->Indent != 2)
        ++row;
    ASSERT_LE(row, sheet->Count());
    sheet->setSelectedIndex(row);
    sheet->setSelectedCol(1);
    sheet->StartEdit();
    ASSERT_TRUE(sheet->EditMode());
    QLineEdit *editor = nullptr;
    for (QLineEdit *edit : sheet->findChildren<QLineEdit *>()) {
        if (edit->isVisible())
            editor = edit;
    }
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("Umbenannter Vertrag"));
    sheet->SaveEdit();
    settle();
    EXPECT_TRUE(status->text().endsWith(QStringLiteral("Umbenannter Vertrag"))) << status->text().toStdString();
}

} // namespace

namespace {

TEST_F(GalleryWindowTest, AFramesToolbarsOpenTheMenusOfTheirOwnSnapIn)
{
    ControlFactory::registerClass<GallerySnapIn>();
    StdXML layout;
    layout.LoadXML(QStringLiteral("<COLS><ITEM control=\"GallerySnapIn\"/><ITEM control=\"GallerySnapIn\"/></COLS>"));
    velkFrameControl frame;
    frame.setAttribute(Qt::WA_DontShowOnScreen);
    frame.resize(800, 400);
    frame.show();
    frame.Init(layout.Root);
    settle();
    QList<int> asked;
    GalleryMenus::attachToolbars(&frame, [&asked](int nr, int id, bool) -> QList<GalleryMenuEntry> {
        asked << nr;
        return id == 2 ? QList<GalleryMenuEntry>{{QStringLiteral("Als PNG speichern"), {}}} : QList<GalleryMenuEntry>{};
    });
    velkMenuBar *second = frame.toolbar(2);
    ASSERT_NE(second, nullptr);
    ASSERT_TRUE(second->isVisible());
    QTest::mouseClick(second, Qt::LeftButton, {}, MenuBarAccess::layout(*second)->captionRect(2).center());
    settle();
    EXPECT_EQ(asked, QList<int>{2});
    ASSERT_NE(GalleryMenus::openPopup(), nullptr);
    EXPECT_EQ(GalleryMenus::openPopup()->findChild<velkMenuPopup *>()->Menu(), QStringLiteral("Als PNG speichern"));
    GalleryMenus::openPopup()->close();
    frame.Disconnect();
}

} // namespace
