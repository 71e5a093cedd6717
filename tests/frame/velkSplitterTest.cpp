#include <velk/frame/velkSplitter.h>
#include <velk/platform/ControlFactory.h>

#include "support/TestSupport.h"

#include <QtTest>

using namespace velk;

namespace {

// A container 400 × 300 px (6000 × 4500 twips) with a 10 px bar at 100 px.
struct Host
{
    QWidget container;
    velkSplitter *bar = new velkSplitter(&container);
    std::vector<double> positions;
    int resizes = 0;
    std::vector<QString> order;

    explicit Host(short orientation, bool movesBar)
    {
        container.resize(400, 300);
        bar->setOrientation(orientation);
        bar->setGeometry(orientation == 1 ? QRect(100, 0, 10, 300) : QRect(0, 100, 400, 10));
        QObject::connect(bar->events(), &velkSplitterEvents::SetPosition, [this, movesBar](double v) {
            positions.push_back(v);
            order.push_back(QStringLiteral("SetPosition"));
            if (!movesBar)
                return;
            const int px = int(v / 15);
            if (bar->Orientation() == 1)
                bar->move(px, 0);
            else
                bar->move(0, px);
        });
        QObject::connect(bar->events(), &velkSplitterEvents::Resize, [this] {
            ++resizes;
            order.push_back(QStringLiteral("Resize"));
        });
    }
};

} // namespace

TEST(velkSplitter, DragReportsPositionsWithinMinSizeOfEitherEdge)
{
    for (short orientation : {short(1), short(2)}) {
        for (bool movesBar : {true, false}) {
            SCOPED_TRACE(testing::Message() << "orientation " << orientation << (movesBar ? ", host moves" : ", host does not"));
            Host host(orientation, movesBar);
            const int axisPx = orientation == 1 ? 400 : 300;
            const QPoint press(5, 5);
            QTest::mousePress(host.bar, Qt::LeftButton, {}, press);
            EXPECT_TRUE(host.bar->isDragging());
            auto moveBy = [&](int delta) {
                // Mouse position relative to the bar, wherever the host put it.
                const int barStart = orientation == 1 ? host.bar->x() : host.bar->y();
                const int local = 100 + 5 + delta - barStart;
                QTest::mouseMove(host.bar, orientation == 1 ? QPoint(local, 5) : QPoint(5, local));
            };
            moveBy(20);
            ASSERT_EQ(host.positions.size(), 1u);
            EXPECT_DOUBLE_EQ(host.positions.back(), 120 * 15.0);
            moveBy(-500); // far past the start
            EXPECT_DOUBLE_EQ(host.positions.back(), 200.0);
            moveBy(1000); // far past the end
            EXPECT_DOUBLE_EQ(host.positions.back(), (axisPx - 10) * 15.0 - 200);
            EXPECT_EQ(host.resizes, 3) << "RealTime raises Resize on every move";
            QTest::mouseRelease(host.bar, Qt::LeftButton, {}, press);
            EXPECT_FALSE(host.bar->isDragging());
            EXPECT_EQ(host.resizes, 4);
            EXPECT_EQ(host.order.front(), QStringLiteral("SetPosition"));
        }
    }
}

TEST(velkSplitter, WithoutRealTimeResizeComesOnceAtTheEnd)
{
    Host host(1, true);
    host.bar->setRealTime(false);
    host.bar->MouseDown(1, 0, 75, 100);
    host.bar->MouseMove(1, 0, 75, 100); // same place: nothing
    EXPECT_TRUE(host.positions.empty());
    host.bar->MouseMove(1, 0, 375, 100);
    host.bar->MouseMove(1, 0, 675, 100);
    EXPECT_EQ(host.positions.size(), 2u);
    EXPECT_EQ(host.resizes, 0);
    host.bar->MouseMove(0, 0, 700, 100); // the button was let go outside the window
    EXPECT_FALSE(host.bar->isDragging());
    EXPECT_EQ(host.resizes, 1);
    host.bar->MouseUp(1, 0, 700, 100);
    EXPECT_EQ(host.resizes, 1);
    host.bar->MouseDown(2, 0, 75, 100); // only the left button drags
    EXPECT_FALSE(host.bar->isDragging());
}

TEST(velkSplitter, ArrowKeysAlongItsAxisMoveTheBar)
{
    Host host(1, true);
    QTest::keyClick(host.bar, Qt::Key_Right);
    ASSERT_EQ(host.positions.size(), 1u);
    EXPECT_DOUBLE_EQ(host.positions[0], 110 * 15.0);
    EXPECT_EQ(host.resizes, 1);
    QTest::keyClick(host.bar, Qt::Key_Down); // across the axis: nothing
    EXPECT_EQ(host.positions.size(), 1u);
    Host horizontal(2, true);
    QTest::keyClick(horizontal.bar, Qt::Key_Up);
    ASSERT_EQ(horizontal.positions.size(), 1u);
    EXPECT_DOUBLE_EQ(horizontal.positions[0], 90 * 15.0);
}

TEST(velkSplitter, IsMadeByNameWithItsDefaults)
{
    std::unique_ptr<QWidget> w(ControlFactory::create(QStringLiteral("velkSplitter")));
    ASSERT_TRUE(w);
    EXPECT_EQ(w->property("MinSize").toInt(), 200);
    EXPECT_EQ(w->property("RealTime").toBool(), true);
    EXPECT_EQ(w->property("Orientation").toInt(), 1);
    EXPECT_TRUE(w->findChild<QObject *>(QStringLiteral("events")));
}
