#include <velk/common/IconNames.h>
#include <velk/controls/velkIcon.h>
#include <velk/platform/Canvas.h>
#include <velk/platform/PictureBox.h>

#include "support/TestSupport.h"

#include <QPainter>
#include <set>

using namespace velk;

namespace {

// The picture an icon name must show: its resource flattened onto white.
QImage expectedPicture(const QString &name)
{
    QImage cell(16, 16, QImage::Format_RGB32);
    cell.fill(Qt::white);
    QPainter p(&cell);
    p.drawImage(0, 0, QImage(QStringLiteral(":/velk/icons/%1.png").arg(name)));
    return cell;
}

QImage filled(QRgb color, int w = 16, int h = 16)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

QImage halves(QRgb left, QRgb right)
{
    QImage image = filled(right, 32, 32);
    QPainter(&image).fillRect(0, 0, 16, 32, QColor(left));
    return image;
}

} // namespace

TEST(velkIcon, NamesAndSpecialMarksGiveTheirNumbers)
{
    velkIcon icon;
    icon.AddIcon(QStringLiteral("stamp"), filled(qRgb(255, 0, 0)));
    struct Row { const char *name; QString ico; int number; };
    const Row rows[] = {
        {"first name", "right", 1},
        {"last name", "image", 91},
        {"the first of the two up", "up", 16},
        {"location stands for db", "location", 30},
        {"separator mark", "-", 199},
        {"check mark", "#", -1},
        {"drop-down mark", "##", -2},
        {"tilde", "~", -3},
        {"number as text", "12", 12},
        {"text starting with a number", "7 Zwerge", 7},
        {"zero is no number", "0", 0},
        {"added name", "stamp", 92},
        {"unknown name", "nothing", 0},
        {"names are case-sensitive", "Right", 0},
        {"empty", "", 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(icon.IconNr(row.ico), row.number);
    }
}

TEST(velkIcon, NumbersGiveBuiltInThenAddedNames)
{
    velkIcon icon;
    EXPECT_EQ(icon.IconString(1), QStringLiteral("right"));
    EXPECT_EQ(icon.IconString(91), QStringLiteral("image"));
    EXPECT_EQ(icon.IconString(0), QString());
    EXPECT_EQ(icon.IconString(-5), QString());
    EXPECT_EQ(icon.IconString(92), QString());
    icon.AddIcon(QStringLiteral("a"), filled(qRgb(1, 2, 3)));
    icon.AddIcon(QStringLiteral("b"), filled(qRgb(1, 2, 3)));
    icon.AddIcon(QStringLiteral("a"), filled(qRgb(9, 9, 9)));
    EXPECT_EQ(icon.IconString(93), QStringLiteral("b"));
    EXPECT_EQ(icon.IconString(94), QStringLiteral("a"));
    EXPECT_EQ(icon.AddedNames(), QStringLiteral("a,b,a,"));
    EXPECT_EQ(icon.IconNr(QStringLiteral("a")), 92) << "the first of a repeated name wins";
}

TEST(velkIcon, EveryBuiltInNameShowsItsOwnUprightPicture)
{
    velkIcon icon;
    std::set<qint64> seen;
    for (int n = 1; n <= icon.BuiltInCount(); ++n) {
        const QString name = icon.IconString(n);
        SCOPED_TRACE(name.toStdString());
        const QImage expected = expectedPicture(name);
        ASSERT_NE(expected, filled(qRgb(255, 255, 255))) << "no picture for the name";
        EXPECT_EQ(icon.GetIcon(name), expected);
        if (name != u"up" || n == 16)
            EXPECT_TRUE(seen.insert(expected.cacheKey()).second);
    }
}

TEST(velkIcon, SecondStripKeepsCellsTurnedFromIcon69On)
{
    velkIcon icon;
    EXPECT_EQ(icon.PicIcon1().copy(67 * 16, 0, 16, 16), expectedPicture(QStringLiteral("word")));
    const QImage upright69 = expectedPicture(QStringLiteral("checkedgray"));
    const QImage stored69 = icon.PicIcon2().copy(0, 0, 16, 16);
    EXPECT_EQ(stored69, upright69.transformed(QTransform().rotate(90)));
    EXPECT_NE(stored69, upright69);
    EXPECT_EQ(icon.PicIcon2().width(), (91 - 68) * 16);
}

TEST(velkIcon, PaintStatesCopyAndOrGrayOrSkip)
{
    velkIcon icon;
    const QRgb background = qRgb(0x30, 0xC0, 0xF0);
    for (int ico : {1, 69}) {
        const QImage cell = icon.GetIcon(icon.IconString(ico));
        struct Row { const char *name; int state; std::function<QRgb(QRgb)> expect; };
        const Row rows[] = {
            {"copy", 0, [](QRgb c) { return c; }},
            {"and", 1, [&](QRgb c) { return c & background; }},
            {"state read modulo 4", 5, [&](QRgb c) { return c & background; }},
            {"gray silhouette", 2, [&](QRgb c) { return (c | qRgb(128, 128, 128)) & background; }},
            {"nothing", 3, [&](QRgb) { return background; }},
        };
        for (const Row &row : rows) {
            SCOPED_TRACE(std::string(row.name) + " icon " + std::to_string(ico));
            QImage target = filled(background, 20, 20);
            QPainter p(&target);
            icon.Paint(p, 2, 3, ico, row.state);
            p.end();
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    ASSERT_EQ(target.pixel(x + 2, y + 3), row.expect(cell.pixel(x, y)) | 0xFF000000u)
                        << "pixel " << x << "," << y;
            EXPECT_EQ(target.pixel(0, 0), background);
        }
    }
}

TEST(velkIcon, PaintOnCanvasDrawsAtPixelPositionsInAnyScale)
{
    velkIcon icon;
    Canvas recorder(nullptr, ScaleMode::Twips);
    recorder.setRecording(true, false);
    icon.Paint(recorder, 10, 20, icon.IconNr(QStringLiteral("save")), 1);
    icon.Paint(recorder, 10, 20, 0, 0);
    icon.Paint(recorder, 10, 20, 199, 0);
    icon.Paint(recorder, 10, 20, 92, 0);
    ASSERT_EQ(recorder.recording().size(), 1u) << "only a real icon is drawn";
    EXPECT_EQ(recorder.recording()[0].kind, DrawOp::Picture);
    EXPECT_EQ(recorder.recording()[0].rect, QRectF(150, 300, 240, 240));

    QImage target = filled(qRgb(255, 255, 255), 20, 20);
    Canvas canvas(&target, ScaleMode::Pixels);
    icon.Paint(canvas, 4, 4, icon.IconNr(QStringLiteral("save")), 0);
    canvas.end();
    EXPECT_EQ(target.copy(4, 4, 16, 16), icon.GetIcon(QStringLiteral("save")));
}

TEST(velkIcon, AddedPicturesAreFittedAndDrawnUpright)
{
    velkIcon icon;
    icon.AddIcon(QStringLiteral("split"), halves(qRgb(255, 0, 0), qRgb(0, 0, 255)));
    QImage target = filled(qRgb(255, 255, 255));
    QPainter p(&target);
    icon.Paint(p, 0, 0, icon.IconNr(QStringLiteral("split")), 0);
    p.end();
    EXPECT_EQ(target.pixel(1, 8), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(14, 8), qRgb(0, 0, 255));
    EXPECT_EQ(icon.PicIcon2().width(), (91 - 68 + 1) * 16);

    icon.AddIcon(QStringLiteral("wide"), filled(qRgb(0, 128, 0), 32, 16));
    const QImage wide = icon.GetIcon(QStringLiteral("wide"));
    EXPECT_EQ(wide.pixel(8, 1), qRgb(255, 255, 255)) << "proportions kept, centred on white";
    EXPECT_EQ(wide.pixel(8, 8), qRgb(0, 128, 0));

    PictureBox box;
    box.resize(40, 40);
    box.canvas().setScaleMode(ScaleMode::Pixels);
    box.canvas().FilledBox(0, 0, 39, 39, 0x00FFFF);
    icon.AddIcon(QStringLiteral("boxed"), &box);
    EXPECT_EQ(icon.GetIcon(QStringLiteral("boxed")).pixel(15, 15), qRgb(255, 255, 0));
}
