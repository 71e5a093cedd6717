#include <velk/common/Error.h>
#include <velk/common/ImageServices.h>

#include "support/TestSupport.h"

#include <QPainter>

using namespace velk;

namespace {

// Every pixel a different colour, so any misplaced pixel shows.
QImage patterned(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x * 7 + y * 13) % 256));
    return image;
}

} // namespace

TEST(ImageServices, ThumbnailHasTheRequestedSizeAndRefusesMissingPictures)
{
    const QImage thumb = MakeThumbnail(patterned(200, 100), 40, 30);
    EXPECT_EQ(thumb.size(), QSize(40, 30));

    struct Row { const char *name; QImage picture; int w, h; };
    const Row rows[] = {
        {"picture without a bitmap", QImage(), 10, 10},
        {"zero width", patterned(4, 4), 0, 10},
        {"negative height", patterned(4, 4), 10, -1},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        try {
            MakeThumbnail(row.picture, row.w, row.h);
            ADD_FAILURE() << "no error raised";
        } catch (const Error &e) {
            EXPECT_EQ(e.number(), 5);
            EXPECT_EQ(e.description(), QStringLiteral("Cannot load file"));
        }
    }
}

TEST(ImageServices, QuarterTurnClockwiseMovesTopRowToRightColumnAndTurnsBack)
{
    const QImage before = patterned(200, 100);
    QImage source = before;
    QImage work;
    RotateQuarter(source, work, 1);
    ASSERT_EQ(source.size(), QSize(100, 200));
    EXPECT_EQ(work, source);
    for (int x = 0; x < 200; ++x)
        ASSERT_EQ(source.pixel(99, x), before.pixel(x, 0)) << "top row pixel " << x;
    EXPECT_EQ(source.pixel(0, 0), before.pixel(0, 99)); // lower-left corner goes to the top left

    RotateQuarter(source, work, 0);
    EXPECT_EQ(source.convertToFormat(QImage::Format_ARGB32), before);

    QImage empty;
    RotateQuarter(empty, work, 1);
    EXPECT_TRUE(work.isNull());
}

TEST(ImageServices, TurnByNinetyDegreesWithTheFactorStillLandsOnWholePixels)
{
    // 90 × 0.0175 rad is about 90.24 degrees; in a 16-pixel cell nearest sampling must
    // still give the exact anticlockwise quarter turn, in a cell of the same size.
    const QImage cell = patterned(16, 16);
    QImage exact = cell;
    QImage work;
    RotateQuarter(exact, work, -1);
    const QImage turned = RotateBitmap(cell, 16, 16, 90);
    ASSERT_EQ(turned.size(), QSize(16, 16));
    EXPECT_EQ(turned, exact.convertToFormat(QImage::Format_ARGB32));
    EXPECT_EQ(RotateBitmap(cell, 16, 16, 0), cell);
    EXPECT_GT(RotationRadians(90), M_PI / 2);
}

TEST(ImageServices, TurnedPictureFillsOrKeepsTheUncoveredTarget)
{
    QImage wide(8, 2, QImage::Format_ARGB32);
    wide.fill(qRgb(10, 20, 30));
    wide.setPixel(3, 1, qRgb(255, 0, 0));
    struct Row { const char *name; int flags; QRgb outside; };
    const Row rows[] = {
        {"background of the source", 0, qRgb(10, 20, 30)},
        {"target kept", RotateFlag::KeepTarget, qRgb(0, 255, 0)},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        QImage target(8, 8, QImage::Format_ARGB32);
        target.fill(qRgb(0, 255, 0));
        QPainter p(&target);
        RotateBitmap(p, wide, 0, 0, 8, 8, 0, row.flags);
        p.end();
        EXPECT_EQ(target.pixel(0, 0), row.outside);
        EXPECT_EQ(target.pixel(3, 4), qRgb(255, 0, 0)); // the 8×2 source sits in rows 3 and 4
        EXPECT_EQ(target.pixel(0, 3), qRgb(10, 20, 30));
    }
}

TEST(ImageServices, OnlyBitmapsAreWrappedAsPictures)
{
    const QImage bitmap = patterned(3, 2);
    EXPECT_EQ(PictureFromBitmap(bitmap).size(), QSize(3, 2));
    EXPECT_EQ(PictureFromBitmap(bitmap).pixel(2, 1), bitmap.pixel(2, 1));
    EXPECT_TRUE(PictureFromBitmap(bitmap, 3).isNull());
    EXPECT_TRUE(PictureFromBitmap(QImage()).isNull());
}
