#include <velk/frame/velkPicScroll.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/ScriptedDialogs.h>

#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace velk;

namespace {

// A 400 × 300 picture whose pixel (x, y) encodes x in red and y in green (divided by 2).
QImage pattern(int w = 400, int h = 300)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x / 2, y / 2, 0));
    return image;
}

struct Fixture
{
    QTemporaryDir dir;
    QString png = dir.filePath(QStringLiteral("bild.png"));
    velkPicScroll pic;
    QWidget *view = nullptr;
    int changes = 0;
    std::vector<QPointF> downs;

    Fixture()
    {
        pattern().save(png);
        pic.resize(216, 166);
        pic.setFilename(png);
        view = pic.ChildPicture();
        QObject::connect(pic.events(), &velkPicScrollEvents::AreasChanged, [this] { ++changes; });
        QObject::connect(pic.events(), &velkPicScrollEvents::MouseDown,
                         [this](short, short, float x, float y) { downs.emplace_back(x, y); });
    }

    QPoint at(double px, double py) const { return pic.viewFromPicture(QPointF(px, py)).toPoint(); }

    void drag(QPointF from, QPointF to)
    {
        QTest::mousePress(view, Qt::LeftButton, {}, at(from.x(), from.y()));
        QMouseEvent move(QEvent::MouseMove, QPointF(at(to.x(), to.y())), view->mapToGlobal(QPointF(at(to.x(), to.y()))),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view, &move);
        QTest::mouseRelease(view, Qt::LeftButton, {}, at(to.x(), to.y()));
    }
};

} // namespace

TEST(velkPicScroll, LoadsPicturesAndForgetsMissingOrUnreadableFiles)
{
    Fixture f;
    EXPECT_EQ(f.pic.filename(), f.png);
    EXPECT_EQ(f.pic.PicWidth(), 400);
    EXPECT_EQ(f.pic.PicHeight(), 300);
    const QString jpg = f.dir.filePath(QStringLiteral("bild.jpg"));
    pattern(33, 17).save(jpg, "JPEG", 95);
    f.pic.setFilename(jpg);
    EXPECT_EQ(f.pic.PicWidth(), 33);
    for (const QString &bad : {f.dir.filePath(QStringLiteral("fehlt.png")), QString(),
                               f.dir.filePath(QStringLiteral("kaputt.jpg"))}) {
        QFile(f.dir.filePath(QStringLiteral("kaputt.jpg"))).open(QIODevice::WriteOnly);
        f.pic.setFilename(bad);
        EXPECT_EQ(f.pic.filename(), QString());
        EXPECT_EQ(f.pic.PicWidth(), 0);
    }
}

TEST(velkPicScroll, ScrollsLargePicturesAndReportsPicturePixels)
{
    Fixture f;
    auto *h = f.pic.findChild<QScrollBar *>(QStringLiteral("HScroll1"));
    ASSERT_TRUE(h);
    EXPECT_TRUE(h->isVisibleTo(&f.pic));
    EXPECT_LT(f.view->width(), 216);
    f.pic.setScrollPosition(QPoint(100, 50));
    QTest::mousePress(f.view, Qt::LeftButton, {}, QPoint(10, 20));
    ASSERT_EQ(f.downs.size(), 1u);
    EXPECT_EQ(f.downs[0], QPointF(110, 70));
    QTest::keyClick(&f.pic, Qt::Key_Home);
    EXPECT_EQ(f.pic.scrollPosition(), QPoint(0, 0));
    QTest::keyClick(&f.pic, Qt::Key_End);
    EXPECT_EQ(f.pic.scrollPosition(), QPoint(400 - f.view->width(), 300 - f.view->height()));
    // The view shows the scrolled part: its top left pixel is picture pixel (maxX, maxY).
    const QImage shot = f.view->grab().toImage();
    EXPECT_EQ(shot.pixel(0, 0), qRgb((400 - f.view->width()) / 2, (300 - f.view->height()) / 2, 0));

    f.pic.setScaleFlag(true);
    EXPECT_FALSE(h->isVisibleTo(&f.pic));
    EXPECT_DOUBLE_EQ(f.pic.scale(), 216 / 400.0) << "the width limits; the aspect ratio is kept";
    f.downs.clear();
    QTest::mousePress(f.view, Qt::LeftButton, {}, QPoint(108, 54));
    EXPECT_EQ(f.downs[0], QPointF(200, 100));
}

TEST(velkPicScroll, DrawsSelectsMovesAndResizesAreasScrolledAndScaled)
{
    for (bool scaled : {false, true}) {
        SCOPED_TRACE(scaled ? "scaled" : "scrolled");
        Fixture f;
        f.pic.setAreasEdit(1);
        f.pic.setScaleFlag(scaled);
        if (!scaled)
            f.pic.setScrollPosition(QPoint(100, 100));
        f.pic.setAreas(QStringLiteral("150,120,200,160 [a]"));
        f.drag({250, 130}, {290, 190}); // on free picture: a new area
        EXPECT_EQ(f.changes, 1);
        EXPECT_EQ(f.pic.AreaSelected(), 2);
        const QStringList lines = f.pic.Areas().split(QStringLiteral("\r\n"));
        ASSERT_EQ(lines.size(), 2);
        EXPECT_EQ(lines[0], QStringLiteral("150,120,200,160 [a]"));
        const QRect drawn = QRect(QPoint(lines[1].section(',', 0, 0).toInt(), lines[1].section(',', 1, 1).toInt()),
                                  QPoint(lines[1].section(',', 2, 2).toInt(), lines[1].section(',', 3, 3).section(' ', 0, 0).toInt()));
        EXPECT_NEAR(drawn.left(), 250, 2);
        EXPECT_NEAR(drawn.bottom(), 190, 2);
        EXPECT_TRUE(lines[1].endsWith(QStringLiteral(" []")));

        f.drag({170, 140}, {180, 150}); // inside the first: selects and moves it
        EXPECT_EQ(f.pic.AreaSelected(), 1);
        EXPECT_EQ(f.changes, 2);
        const QString moved = f.pic.Areas().section(QStringLiteral("\r\n"), 0, 0);
        EXPECT_TRUE(moved.endsWith(QStringLiteral(" [a]"))) << moved.toStdString();
        EXPECT_NEAR(moved.section(',', 0, 0).toInt(), 160, 2);

        f.drag({160, 140}, {140, 140}); // on its left edge: widens it
        EXPECT_NEAR(f.pic.Areas().section(',', 0, 0).toInt(), 140, 2);
        EXPECT_NEAR(f.pic.Areas().section(',', 2, 2).toInt(), 210, 2) << "the right edge stays";
        EXPECT_EQ(f.changes, 3);

        QTest::mouseClick(f.view, Qt::LeftButton, {}, f.at(350, 250)); // a click is no area
        EXPECT_EQ(f.pic.AreaSelected(), 0);
        EXPECT_EQ(f.changes, 3);
    }
}

TEST(velkPicScroll, DoubleClickEditsTheLinkOrIsPassedOn)
{
    Fixture f;
    ScopedDialogs dialogs;
    f.pic.setAreas(QStringLiteral("10,10,50,40 [a]\r\n60,10,90,40 []"));
    int dblClicks = 0;
    QObject::connect(f.pic.events(), &velkPicScrollEvents::DblClick, [&] { ++dblClicks; });
    QTest::mouseDClick(f.view, Qt::LeftButton, {}, f.at(70, 20));
    EXPECT_EQ(dblClicks, 1);
    EXPECT_TRUE(dialogs->questions().empty());

    f.pic.setAreasEdit(1);
    f.pic.setAreasSyntax(QStringLiteral("Ziel eingeben"));
    dialogs->answerInputBox(QStringLiteral("neu]\nzwei"));
    QTest::mouseDClick(f.view, Qt::LeftButton, {}, f.at(70, 20));
    EXPECT_EQ(dblClicks, 1);
    ASSERT_EQ(dialogs->questions().size(), 1u);
    EXPECT_EQ(dialogs->questions()[0].prompt, QStringLiteral("Ziel eingeben"));
    EXPECT_EQ(dialogs->questions()[0].title, QStringLiteral("Verknüpfung"));
    EXPECT_EQ(dialogs->questions()[0].text, QString());
    EXPECT_EQ(f.pic.Areas(), QStringLiteral("10,10,50,40 [a]\r\n60,10,90,40 [neu zwei]"));
    EXPECT_EQ(f.changes, 1);

    dialogs->answerInputBox(QString()); // an empty answer keeps the link
    f.pic.DblClick();
    EXPECT_EQ(dialogs->questions().back().text, QStringLiteral("neu zwei"));
    EXPECT_EQ(f.changes, 1);

    f.pic.setAreaSelected(1);
    f.pic.AreaDelete();
    EXPECT_EQ(f.pic.Areas(), QStringLiteral("60,10,90,40 [neu zwei]"));
    EXPECT_EQ(f.pic.AreaSelected(), 0);
    f.pic.setAreaSelected(1);
    QTest::keyClick(&f.pic, Qt::Key_Delete);
    EXPECT_EQ(f.pic.Areas(), QString());
    EXPECT_EQ(f.changes, 2);
}

TEST(velkPicScroll, TurnsAQuarterAndSavesThePicture)
{
    Fixture f;
    QImage source(200, 100, QImage::Format_RGB32);
    source.fill(Qt::black);
    for (int x = 0; x < 200; ++x)
        source.setPixel(x, 0, qRgb(x, 255, 0)); // the top row
    const QString png = f.dir.filePath(QStringLiteral("zeile.png"));
    source.save(png);
    f.pic.setFilename(png);
    f.pic.Rotate(1);
    ASSERT_EQ(f.pic.PicWidth(), 100);
    ASSERT_EQ(f.pic.PicHeight(), 200);
    for (int y : {0, 57, 199})
        EXPECT_EQ(f.pic.picture().pixel(99, y), qRgb(y, 255, 0)) << y;
    f.pic.Rotate(2);
    EXPECT_EQ(f.pic.picture().convertToFormat(QImage::Format_RGB32), source);

    const QString bmp = f.dir.filePath(QStringLiteral("bild.bmp"));
    ASSERT_TRUE(f.pic.SaveBMP(bmp));
    EXPECT_EQ(QImage(bmp).convertToFormat(QImage::Format_RGB32), source);
    const QString jpg = f.dir.filePath(QStringLiteral("bild.jpg"));
    ASSERT_TRUE(f.pic.SaveJPG(jpg));
    EXPECT_EQ(QImage(jpg).size(), QSize(200, 100));
    EXPECT_FALSE(f.pic.SaveJPG(f.dir.filePath(QStringLiteral("fehlt/bild.jpg"))));
    f.pic.setFilename(QString());
    EXPECT_FALSE(f.pic.SaveBMP(bmp));
    EXPECT_FALSE(QImage(bmp).isNull()) << "the old file stays";
}

TEST(velkPicScroll, IsMadeByName)
{
    std::unique_ptr<QWidget> w(ControlFactory::create(QStringLiteral("velkPicScroll")));
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->setProperty("Areas", QStringLiteral("1,2,3,4 [x]")));
    EXPECT_EQ(w->property("Areas").toString(), QStringLiteral("1,2,3,4 [x]"));
    EXPECT_EQ(w->property("PicWidth").toInt(), 0);
    QVariantList down; // a host hears the events late-bound, with their values
    GenericEventRelay relay(w.get(), [&](const QString &name, QVariantList &args) {
        if (name == u"MouseDown")
            down = args;
    });
    static_cast<velkPicScroll *>(w.get())->MouseDown(2, 1, 3.5f, 4);
    EXPECT_EQ(down, QVariantList({QVariant::fromValue<short>(2), QVariant::fromValue<short>(1), 3.5f, 4.0f}));
}
