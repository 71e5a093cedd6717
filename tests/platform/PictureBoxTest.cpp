#include <velk/platform/PictureBox.h>
#include <velk/platform/SystemColors.h>

#include "support/TestSupport.h"

#include <QSignalSpy>
#include <QTest>

using namespace velk;

namespace {

struct MouseCall
{
    int button;
    int shift;
    float x;
    float y;
    bool operator==(const MouseCall &) const = default;
};

void PrintTo(const MouseCall &c, std::ostream *os)
{
    *os << "(" << c.button << ", " << c.shift << ", " << c.x << ", " << c.y << ")";
}

// Every signal of a picture box, in the order raised.
struct EventLog
{
    std::vector<std::string> names;
    std::vector<MouseCall> mouse;
    std::vector<std::pair<int, int>> keys;
    std::vector<int> asciis;

    explicit EventLog(PictureBox &box)
    {
        auto mouseHandler = [this](const char *name) {
            return [this, name](int button, int shift, float x, float y) {
                names.push_back(name);
                mouse.push_back({button, shift, x, y});
            };
        };
        QObject::connect(&box, &PictureBox::MouseDown, &box, mouseHandler("MouseDown"));
        QObject::connect(&box, &PictureBox::MouseMove, &box, mouseHandler("MouseMove"));
        QObject::connect(&box, &PictureBox::MouseUp, &box, mouseHandler("MouseUp"));
        QObject::connect(&box, &PictureBox::Click, &box, [this] { names.push_back("Click"); });
        QObject::connect(&box, &PictureBox::DblClick, &box, [this] { names.push_back("DblClick"); });
        QObject::connect(&box, &PictureBox::KeyDown, &box, [this](int &keyCode, int shift) {
            names.push_back("KeyDown");
            keys.emplace_back(keyCode, shift);
        });
        QObject::connect(&box, &PictureBox::KeyUp, &box, [this](int &keyCode, int shift) {
            names.push_back("KeyUp");
            keys.emplace_back(keyCode, shift);
        });
        QObject::connect(&box, &PictureBox::KeyPress, &box, [this](int &keyAscii) {
            names.push_back("KeyPress");
            asciis.push_back(keyAscii);
        });
    }

    // The connections capture this log, so it is emptied rather than replaced.
    void clear()
    {
        names.clear();
        mouse.clear();
        keys.clear();
        asciis.clear();
    }
};

using Names = std::vector<std::string>;

} // namespace

TEST(PictureBox, MouseInputArrivesInTwips)
{
    PictureBox box;
    box.resize(100, 60);
    EventLog log(box);

    QTest::mousePress(&box, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 20));
    QTest::mouseMove(&box, QPoint(12, 22));
    QTest::mouseRelease(&box, Qt::LeftButton, Qt::ShiftModifier, QPoint(12, 22));
    EXPECT_EQ(log.names, (Names{"MouseDown", "MouseMove", "MouseUp", "Click"}));
    EXPECT_EQ(log.mouse, (std::vector<MouseCall>{{1, 1, 150, 300}, {1, 0, 180, 330}, {1, 1, 180, 330}}));

    box.setScaleMode(ScaleMode::Pixels);
    log.clear();
    QTest::mouseClick(&box, Qt::RightButton, Qt::ControlModifier | Qt::AltModifier, QPoint(5, 6));
    EXPECT_EQ(log.names, (Names{"MouseDown", "MouseUp"})) << "only the left button clicks";
    EXPECT_EQ(log.mouse.front(), (MouseCall{2, 6, 5, 6}));
}

TEST(PictureBox, ClickNeedsPressAndReleaseOverThePicture)
{
    PictureBox box;
    box.resize(100, 60);
    EventLog log(box);
    QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(150, 10));
    QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(log.names, (Names{"MouseDown", "MouseUp", "MouseUp"}));

    log.clear();
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseDClick(&box, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(log.names, (Names{"MouseDown", "MouseUp", "Click", "DblClick", "MouseUp"}));
}

TEST(PictureBox, KeysArriveWithCodesAndCharacters)
{
    PictureBox box;
    EXPECT_EQ(box.focusPolicy(), Qt::StrongFocus);
    EventLog log(box);
    QTest::keyClick(&box, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&box, Qt::Key_A);
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(log.names, (Names{"KeyDown", "KeyDown", "KeyUp", "KeyUp", "KeyDown", "KeyPress", "KeyUp", "KeyDown",
                                "KeyPress", "KeyUp"}));
    // Shift is a key of its own; once released it is no longer in the shift state.
    EXPECT_EQ(log.keys,
              (std::vector<std::pair<int, int>>{{16, 1}, {40, 1}, {40, 1}, {16, 0}, {65, 0}, {65, 0}, {13, 0}, {13, 0}}));
    EXPECT_EQ(log.asciis, (std::vector<int>{'a', 13}));
}

TEST(PictureBox, DrawingsSurviveRepaintsAndResizing)
{
    PictureBox box;
    box.resize(40, 30);
    box.show();
    box.setScaleMode(ScaleMode::Pixels);
    box.canvas().FilledBox(5, 5, 14, 14, rgbColor(255, 0, 0));
    const QColor red(255, 0, 0);
    const QColor face = resolveColor(SystemColor::ButtonFace);
    EXPECT_EQ(box.grab().toImage().pixelColor(10, 10), red) << "the widget shows the image";

    box.resize(80, 60);
    EXPECT_EQ(box.image().size(), QSize(80, 60));
    EXPECT_DOUBLE_EQ(box.ScaleWidth(), 80);
    EXPECT_EQ(box.image().pixelColor(10, 10), red);
    EXPECT_EQ(box.image().pixelColor(70, 50), face) << "new area shows the background";

    box.resize(10, 10);
    box.resize(40, 30);
    EXPECT_EQ(box.image().pixelColor(9, 9), red);
    EXPECT_EQ(box.image().pixelColor(12, 12), face) << "what was cut off by shrinking is gone";
    EXPECT_EQ(box.grab().toImage().pixelColor(9, 9), red);

    box.setBackColor(rgbColor(0, 0, 255));
    EXPECT_EQ(box.image().pixelColor(9, 9), QColor(0, 0, 255)) << "a new background clears";
}

TEST(PictureBox, PaintHandlersDrawIntoTheShownPicture)
{
    PictureBox box;
    box.resize(20, 20);
    box.setScaleMode(ScaleMode::Pixels);
    QSignalSpy resized(&box, &PictureBox::Resize);
    int paints = 0;
    QObject::connect(&box, &PictureBox::Paint, &box, [&] {
        ++paints;
        box.canvas().PSet(3, 4, 0);
    });
    EXPECT_EQ(box.grab().toImage().pixelColor(3, 4), QColor(Qt::black));

    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QTest::qWait(20);
    const int settled = paints;
    QTest::qWait(50);
    EXPECT_EQ(paints, settled) << "drawing in a Paint handler does not ask for another paint";

    box.resize(30, 20);
    EXPECT_EQ(resized.count(), 2) << "once shown at 20 x 20, once resized";
}
