#include <velk/common/CalendarHelpers.h>
#include <velk/date/DateRange.h>
#include <velk/date/velkDateSelector.h>
#include <velk/platform/Canvas.h>
#include <velk/platform/Input.h>
#include <velk/platform/ScriptedScreen.h>

#include "support/TestSupport.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

using namespace velk;

namespace {

// A model over its own state, with a range given as two days.
struct Selection
{
    DateSelectorState state;
    DateSelectorModel model{state};

    void set(const QDate &from, const QDate &to)
    {
        state.SelectedYear1 = from.year();
        state.SelectedMonth1 = from.month();
        state.SelectedDay1 = from.day();
        state.SelectedYear2 = to.year();
        state.SelectedMonth2 = to.month();
        state.SelectedDay2 = to.day();
    }
};

// A 160 × 160 selector: cells of 20 pixels; cellCentre(row, col) with both from 1.
struct Selector
{
    velkDateSelector widget;
    QSignalSpy changed{widget.events(), &velkDateSelectorEvents::Changed};

    Selector()
    {
        widget.resize(160, 160);
        widget.Year = 2009;
        widget.Month = 3; // March 2009 begins on a Sunday: day 1 stands in row 3, column 8
    }
    static QPointF cellCentre(int row, int col) { return QPointF((col - 1) * 20 + 10, (row - 1) * 20 + 10); }
    void click(int row, int col) { click(cellCentre(row, col)); }
    void click(QPointF at) { widget.MouseUp(MouseButton::Left, 0, float(at.x()), float(at.y())); }
};

} // namespace

TEST(DateSelectorModel, ConditionsOfTheDescribedSelections)
{
    Selection s;
    EXPECT_EQ(s.model.MorvaiCondition(), QString());
    EXPECT_EQ(s.model.datum1(), QString());
    EXPECT_EQ(s.model.Datum2(), QString());

    s.model.setDatum1(QStringLiteral("5.3.2009"));
    EXPECT_EQ(s.model.datum1(), QStringLiteral("05.03.2009"));
    EXPECT_EQ(s.model.Datum2(), QStringLiteral("05.03.2009"));
    EXPECT_EQ(s.model.MorvaiCondition(), QStringLiteral("$date=05.03.2009"));
    EXPECT_EQ(s.state.Month, 3);
    EXPECT_EQ(s.state.Year, 2009);

    struct Row { QDate from, to; QString condition; };
    const Row rows[] = {
        {{2009, 3, 1}, {2009, 3, 31}, QStringLiteral("$date=03.2009")},
        {{2009, 1, 1}, {2009, 12, 31}, QStringLiteral("$date=2009")},
        {{2009, 3, 2}, {2009, 4, 15}, QStringLiteral("$date>=02.03.2009/$date<=15.04.2009")},
        {{2009, 3, 1}, {2009, 4, 15}, QStringLiteral("$date>=03.2009/$date<=15.04.2009")},
        {{2009, 1, 1}, {2010, 2, 28}, QStringLiteral("$date>=2009/$date<=02.2010")},
    };
    for (const Row &row : rows) {
        s.set(row.from, row.to);
        EXPECT_EQ(s.model.MorvaiCondition(), row.condition);
    }
    s.state = DateSelectorState();
    s.state.SelectedYear1 = 2009;
    EXPECT_EQ(s.model.MorvaiCondition(), QStringLiteral("$date=2009"));
    s.state.SelectedMonth1 = 7;
    EXPECT_EQ(s.model.MorvaiCondition(), QStringLiteral("$date=07.2009"));
}

TEST(DateSelectorModel, EveryRangeWithinTwoYearsParsesBackToItsDays)
{
    Selection s;
    const auto days = [](const QString &t) { return std::pair(DateRangeStart(t), DateRangeEnd(t)); };
    for (QDate from(2008, 1, 1); from.year() == 2008; from = from.addDays(1)) {
        for (QDate to = from; from.daysTo(to) <= 730; to = to.addDays(1)) {
            s.set(from, to);
            const QString condition = s.model.MorvaiCondition();
            QString startText, endText;
            if (condition.startsWith(QStringLiteral("$date>="))) {
                const qsizetype slash = condition.indexOf(QStringLiteral("/$date<="));
                ASSERT_GT(slash, 0) << condition.toStdString();
                startText = condition.mid(7, slash - 7);
                endText = condition.mid(slash + 8);
            } else {
                ASSERT_TRUE(condition.startsWith(QStringLiteral("$date="))) << condition.toStdString();
                startText = endText = condition.mid(6);
            }
            ASSERT_EQ(days(startText).first, from.toString(QStringLiteral("dd.MM.yyyy"))) << condition.toStdString();
            ASSERT_EQ(days(endText).second, to.toString(QStringLiteral("dd.MM.yyyy"))) << condition.toStdString();
        }
    }
}

TEST(DateSelectorModel, BadDatum1ClearsAndMonthsRollOver)
{
    Selection s;
    s.model.setDatum1(QStringLiteral("5.3.2009"));
    for (const char *bad : {"", "2024q2", "31.2.2009", "x.y.z", "0.0.0", "99999999999999999999.5.2009"}) {
        s.model.setDatum1(QStringLiteral("5.3.2009"));
        s.model.setDatum1(QString::fromLatin1(bad));
        EXPECT_EQ(s.model.datum1(), QString()) << bad;
        EXPECT_EQ(s.model.MorvaiCondition(), QString()) << bad;
    }
    s.model.setDatum1(QStringLiteral("4.6 .2009 10:00"));
    EXPECT_EQ(s.model.datum1(), QStringLiteral("04.06.2009"));
    s.model.showMonth(2009, 13);
    EXPECT_EQ(std::pair(s.state.Year, s.state.Month), std::pair(2010, 1));
    s.model.showMonth(2009, 0);
    EXPECT_EQ(std::pair(s.state.Year, s.state.Month), std::pair(2008, 12));
    s.model.showMonth(2009, -24);
    EXPECT_EQ(std::pair(s.state.Year, s.state.Month), std::pair(2006, 12));
}

TEST(velkDateSelector, ClicksHitTheCellThePointLiesIn)
{
    Selector s;
    // Row 3 column 8 is 1 March; 19.9 pixels into the next cell is still that cell.
    s.click(QPointF(7 * 20 + 19.9, 2 * 20 + 0.5));
    EXPECT_EQ(s.widget.datum1(), QStringLiteral("01.03.2009"));
    s.click(QPointF(1 * 20 + 10.5, 3 * 20 + 15)); // row 4, column 2: Monday 2 March
    EXPECT_EQ(s.widget.datum1(), QStringLiteral("02.03.2009"));
    EXPECT_EQ(s.changed.count(), 2);

    s.click(1, 1); // year back: the selection stays
    EXPECT_EQ(s.widget.Year, 2008);
    s.click(2, 8); s.click(2, 8);
    EXPECT_EQ(std::pair(s.widget.Year, s.widget.Month), std::pair(2008, 5));
    s.click(2, 1); s.click(2, 1); s.click(1, 8);
    EXPECT_EQ(std::pair(s.widget.Year, s.widget.Month), std::pair(2009, 3));
    EXPECT_EQ(s.changed.count(), 2);
    EXPECT_EQ(s.widget.datum1(), QStringLiteral("02.03.2009"));
}

TEST(velkDateSelector, DayMonthYearAndWeekClicksSelectAndDeselect)
{
    Selector s;
    s.click(4, 3); // 3 March
    EXPECT_EQ(s.widget.MorvaiCondition(), QStringLiteral("$date=03.03.2009"));
    s.click(4, 3); // again: cleared
    EXPECT_EQ(s.widget.MorvaiCondition(), QString());
    EXPECT_EQ(s.widget.SelectedYear2, 0);

    s.click(2, 4); // the month row
    EXPECT_EQ(s.widget.MorvaiCondition(), QStringLiteral("$date=03.2009"));
    s.click(2, 4);
    EXPECT_EQ(s.widget.MorvaiCondition(), QString());
    s.click(1, 5); // the year row
    EXPECT_EQ(s.widget.MorvaiCondition(), QStringLiteral("$date=2009"));
    s.click(1, 5);
    EXPECT_EQ(s.widget.MorvaiCondition(), QString());

    s.click(4, 1); // week 10: 2 to 8 March
    EXPECT_EQ(s.widget.MorvaiCondition(), QStringLiteral("$date>=02.03.2009/$date<=08.03.2009"));
    s.click(3, 1); // week 9 holds only 1 March of this month
    EXPECT_EQ(s.widget.MorvaiCondition(), QStringLiteral("$date>=03.2009/$date<=01.03.2009"));
    EXPECT_EQ(s.changed.count(), 8);

    s.widget.setFlags(QStringLiteral("nodeselect"));
    s.click(4, 3);
    s.click(4, 3);
    EXPECT_EQ(s.widget.datum1(), QStringLiteral("03.03.2009"));
}

TEST(velkDateSelector, RangeModeIsTheKeyStateAtTheRelease)
{
    Selector s;
    ScriptedScreenScope screen;
    s.click(4, 3); // 3 March
    // The event's own shift state does not count, the keyboard state does.
    s.widget.MouseUp(MouseButton::Left, ShiftState::Shift, 3 * 20 + 10, 4 * 20 + 10);
    EXPECT_EQ(s.widget.Datum2(), QStringLiteral("11.03.2009"));
    EXPECT_EQ(s.widget.datum1(), QStringLiteral("11.03.2009"));

    s.click(4, 3);
    screen->setKeyDown(KeyCode::Shift);
    s.click(5, 5); // 12 March extends the end
    EXPECT_EQ(s.widget.MorvaiCondition(), QStringLiteral("$date>=03.03.2009/$date<=12.03.2009"));
    screen->setKeyDown(KeyCode::Shift, false);
    screen->setKeyDown(KeyCode::Control);
    s.click(4, 2); // 2 March moves the start
    EXPECT_EQ(s.widget.MorvaiCondition(), QStringLiteral("$date>=02.03.2009/$date<=12.03.2009"));
    s.click(2, 8); s.click(2, 4); // April added to the end
    EXPECT_EQ(s.widget.MorvaiCondition(), QStringLiteral("$date>=02.03.2009/$date<=04.2009"));
    s.click(1, 8); s.click(1, 4); // the year 2010 added
    EXPECT_EQ(s.widget.MorvaiCondition(), QStringLiteral("$date>=02.03.2009/$date<=2010"));

    s.widget.setFlags(QStringLiteral("norange"));
    s.click(4, 6); // without range mode: only that day
    EXPECT_EQ(s.widget.Datum2(), s.widget.datum1());
}

TEST(velkDateSelector, KeyboardMovesAndExtends)
{
    Selector s;
    s.widget.setDatum1(QStringLiteral("30.3.2009"));
    QTest::keyClick(&s.widget, Qt::Key_Right);
    QTest::keyClick(&s.widget, Qt::Key_Right);
    EXPECT_EQ(s.widget.Month, 4);
    QTest::keyClick(&s.widget, Qt::Key_Space);
    EXPECT_EQ(s.widget.datum1(), QStringLiteral("01.04.2009"));
    QTest::keyClick(&s.widget, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(s.widget.MorvaiCondition(), QStringLiteral("$date>=04.2009/$date<=08.04.2009"));
    QTest::keyClick(&s.widget, Qt::Key_PageDown);
    EXPECT_EQ(std::pair(s.widget.Year, s.widget.Month), std::pair(2009, 5));
    QTest::keyClick(&s.widget, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(std::pair(s.widget.Year, s.widget.Month), std::pair(2008, 5));
    EXPECT_EQ(s.changed.count(), 2);
}

TEST(velkDateSelector, ContextMenuGoesToTodayAndClears)
{
    setToday(QDate(2020, 6, 15));
    Selector s;
    s.click(4, 3);
    auto *menu = s.widget.findChild<QMenu *>(QStringLiteral("menu_popup"));
    ASSERT_NE(menu, nullptr);
    s.widget.findChild<QAction *>(QStringLiteral("menu_heute"))->trigger();
    EXPECT_EQ(std::pair(s.widget.Year, s.widget.Month), std::pair(2020, 6));
    EXPECT_EQ(s.changed.count(), 1);
    s.widget.findChild<QAction *>(QStringLiteral("menu_deselect"))->trigger();
    EXPECT_EQ(s.widget.datum1(), QString());
    EXPECT_EQ(s.changed.count(), 2);
    EXPECT_EQ(menu->actions().at(1)->text(), QStringLiteral("Markierung aufheben"));
    setToday(QDate());
}

TEST(velkDateSelector, PaintsTheMonthWeeksAndSelection)
{
    Selector s;
    s.widget.setDatum1(QStringLiteral("3.3.2009"));
    Canvas canvas(nullptr, ScaleMode::Pixels);
    canvas.setRecording(true, false);
    s.widget.paintOn(canvas);
    QStringList texts;
    bool selectedFill = false;
    for (const DrawOp &op : canvas.recording()) {
        if (op.kind == DrawOp::Text)
            texts << op.text;
        if (op.kind == DrawOp::FilledBox && op.fillColor == s.widget.SelectedColor
            && op.rect.contains(Selector::cellCentre(4, 3)))
            selectedFill = true;
    }
    EXPECT_TRUE(texts.contains(QStringLiteral("M\u00e4rz")));
    EXPECT_TRUE(texts.contains(QStringLiteral("2009")));
    EXPECT_TRUE(texts.contains(QStringLiteral("31")));
    EXPECT_TRUE(texts.contains(QStringLiteral("9")) && texts.contains(QStringLiteral("14"))); // ISO weeks 9..14
    EXPECT_TRUE(selectedFill);
    const auto before = s.widget.MorvaiCondition();
    s.widget.paintOn(canvas);
    EXPECT_EQ(s.widget.MorvaiCondition(), before);
}
