#include <velk/common/CalendarHelpers.h>
#include <velk/common/GUI.h>
#include <velk/date/DateForm.h>
#include <velk/date/velkDate.h>
#include <velk/date/velkDateControl.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/Input.h>
#include <velk/platform/ScriptedDialogs.h>

#include "support/TestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace velk;

namespace {

// Pins today to 15 June 2021 for the test's lifetime.
struct FixedToday
{
    FixedToday() { setToday(QDate(2021, 6, 15)); }
    ~FixedToday() { setToday(QDate()); }
};

QToolButton *arrow(QWidget &control, const char *name, int index)
{
    for (QToolButton *button : control.findChildren<QToolButton *>(QString::fromLatin1(name))) {
        if (button->property("Index").toInt() == index)
            return button;
    }
    return nullptr;
}

// Clicks the day `day` of the shown month: the picker has 7 columns and 9 rows, the weeks
// from the fourth row on.
void clickDay(velkDateControl &picker, int day)
{
    const QDate date(picker.Year, picker.Month, day);
    const QDate first(picker.Year, picker.Month, 1);
    const int cell = first.dayOfWeek() - 1 + day - 1;
    const double w = picker.width() / 7.0, h = picker.height() / 9.0;
    picker.MouseUp(MouseButton::Left, 0, float((cell % 7 + 0.5) * w), float((3 + cell / 7 + 0.5) * h));
    ASSERT_EQ(picker.pickedDate(), date);
}

} // namespace

TEST(velkDateControl, PicksDaysThroughArrowsMouseAndKeys)
{
    FixedToday today;
    velkDateControl picker;
    picker.resize(140, 180);
    QSignalSpy changed(picker.events(), &velkDateControlEvents::Changed);
    EXPECT_EQ(std::pair(picker.Year, picker.Month), std::pair(2021, 6));
    EXPECT_EQ(picker.Datum(), QString());

    ASSERT_EQ(picker.findChildren<QToolButton *>(QStringLiteral("C_Jahr")).size(), 2);
    arrow(picker, "C_Jahr", 1)->click();
    arrow(picker, "C_Monat", 0)->click();
    arrow(picker, "C_Monat", 0)->click();
    EXPECT_EQ(std::pair(picker.Year, picker.Month), std::pair(2022, 4));
    EXPECT_EQ(changed.count(), 0);

    clickDay(picker, 30);
    EXPECT_EQ(picker.Datum(), QStringLiteral("30.04.2022"));
    EXPECT_EQ(changed.count(), 1);
    picker.MouseUp(MouseButton::Left, 0, 70, 10); // the month label
    EXPECT_EQ(changed.count(), 2);

    QTest::keyClick(&picker, Qt::Key_Right);
    EXPECT_EQ(picker.Datum(), QStringLiteral("01.05.2022"));
    EXPECT_EQ(picker.Month, 5);
    QTest::keyClick(&picker, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(std::pair(picker.Year, picker.Month), std::pair(2021, 5));
    EXPECT_EQ(picker.Datum(), QStringLiteral("01.05.2022"));

    picker.setDatum(QStringLiteral("3.2.09"));
    EXPECT_EQ(picker.Datum(), QStringLiteral("03.02.2009"));
    EXPECT_EQ(std::pair(picker.Year, picker.Month), std::pair(2009, 2));
    picker.setDatum(QStringLiteral("2024q2"));
    EXPECT_EQ(picker.Datum(), QString());
    EXPECT_EQ(changed.count(), 3);

    picker.setEnabled(false);
    picker.MouseUp(MouseButton::Left, 0, 30, 70);
    EXPECT_EQ(picker.Datum(), QString());
    EXPECT_FALSE(picker.property("Enabled").toBool());
}

TEST(velkDate, PressesPickYearAndMonthAfterRaisingClick)
{
    FixedToday today;
    velkDate picker;
    picker.resize(160, 80); // top cells 20 wide, month cells 40 × 20
    EXPECT_EQ(picker.firstShownYear(), 2019);
    QString textAtClick = QStringLiteral("unset");
    QObject::connect(picker.events(), &velkDateEvents::Click, [&] { textAtClick = picker.Text(); });

    picker.MouseDown(MouseButton::Left, 0, 70, 10); // columns 4-5: 2020
    EXPECT_EQ(textAtClick, QString());
    EXPECT_EQ(picker.Text(), QStringLiteral("2020"));
    picker.MouseDown(MouseButton::Left, 0, 90, 50); // row 3, column 3: month 7
    EXPECT_EQ(textAtClick, QStringLiteral("2020"));
    EXPECT_EQ(picker.Text(), QStringLiteral("7.2020"));
    picker.MouseDown(MouseButton::Left, 0, 90, 50);
    EXPECT_EQ(picker.Text(), QStringLiteral("2020"));
    picker.MouseDown(MouseButton::Left, 0, 10, 10); // "<"
    EXPECT_EQ(picker.firstShownYear(), 2018);
    picker.MouseDown(MouseButton::Left, 0, 130, 10); // columns 6-7 now: 2020 again, selected: cleared
    EXPECT_EQ(picker.Text(), QString());
    picker.MouseDown(MouseButton::Left, 0, 10, 70); // month 9 alone
    EXPECT_EQ(picker.Text(), QStringLiteral("9."));
    QTest::keyClick(&picker, Qt::Key_Down);
    EXPECT_EQ(picker.Month, 12);
}

TEST(velkDateControls, AreRegisteredByClassName)
{
    for (const char *name : {"velkDate", "velkDateSelector", "velkDateControl"}) {
        std::unique_ptr<QWidget> control(ControlFactory::create(QString::fromLatin1(name)));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_NE(control->findChild<QObject *>(QStringLiteral("events")), nullptr) << name;
    }
}

TEST(DateForm, WritesAndReadsTheTextWithoutFeedback)
{
    FixedToday today;
    DateForm form;
    auto *text1 = form.findChild<QLineEdit *>(QStringLiteral("Text1"));
    auto *check1 = form.findChild<QCheckBox *>(QStringLiteral("Check1"));
    auto *label2 = form.findChild<QLabel *>(QStringLiteral("Label2"));
    auto *start = form.findChild<velkDateControl *>(QStringLiteral("velkDateControl1"));
    auto *end = form.findChild<velkDateControl *>(QStringLiteral("velkDateControl2"));
    ASSERT_TRUE(text1 && check1 && label2 && start && end);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Datum ausw\u00e4hlen"));
    EXPECT_EQ(form.findChild<QPushButton *>(QStringLiteral("C_OK"))->text(), QStringLiteral("Schliessen"));
    EXPECT_EQ(form.findChild<QLabel *>(QStringLiteral("Label1"))->text(), QStringLiteral("Datum / Datumsbereich:"));

    start->showMonth(2009, 2);
    clickDay(*start, 3);
    EXPECT_EQ(text1->text(), QStringLiteral("03.02.2009"));
    check1->setChecked(true);
    EXPECT_EQ(end->Datum(), QStringLiteral("15.06.2021"));
    EXPECT_EQ(text1->text(), QStringLiteral("03.02.2009 - 15.06.2021"));
    EXPECT_EQ(label2->text(), QStringLiteral("ab Datum:"));
    end->showMonth(2009, 2);
    clickDay(*end, 3);
    EXPECT_EQ(text1->text(), QStringLiteral("03.02.2009")); // an end equal to the start is left out

    text1->setText(QStringLiteral("01.01.2009 - 31.01.2009"));
    EXPECT_TRUE(check1->isChecked());
    EXPECT_TRUE(check1->isEnabled());
    EXPECT_EQ(start->Datum(), QStringLiteral("01.01.2009"));
    EXPECT_EQ(end->Datum(), QStringLiteral("31.01.2009"));
    EXPECT_EQ(text1->text(), QStringLiteral("01.01.2009 - 31.01.2009"));
    text1->setText(QStringLiteral("7.7.2007"));
    EXPECT_FALSE(check1->isChecked());
    EXPECT_FALSE(end->isEnabled());
    EXPECT_EQ(label2->text(), QStringLiteral("Datum:"));
    EXPECT_EQ(text1->text(), QStringLiteral("7.7.2007"));
}

TEST(GUI, SelectDateRunsTheFormAndReturnsItsText)
{
    ScopedDialogs dialogs;
    GUI gui;
    dialogs->answerForm([](QDialog &form) {
        EXPECT_EQ(form.findChild<QLineEdit *>(QStringLiteral("Text1"))->text(), QStringLiteral("2024q2"));
        form.findChild<QPushButton *>(QStringLiteral("C_OK"))->click();
    });
    EXPECT_EQ(gui.SelectDate(nullptr, QStringLiteral("2024q2")), QStringLiteral("2024q2"));

    dialogs->answerForm([](QDialog &form) {
        EXPECT_FALSE(form.findChild<QWidget *>(QStringLiteral("velkDateControl2"))->isVisibleTo(&form));
        EXPECT_EQ(form.findChild<QLabel *>(QStringLiteral("Label1"))->text(), QStringLiteral("Datum:"));
        clickDay(*form.findChild<velkDateControl *>(QStringLiteral("velkDateControl1")), 9);
        form.findChild<QPushButton *>(QStringLiteral("C_OK"))->click();
    });
    EXPECT_EQ(gui.SelectDate(nullptr, QStringLiteral("5.5.2005"), 1), QStringLiteral("09.05.2005"));

    dialogs->answerForm([](QDialog &form) {
        clickDay(*form.findChild<velkDateControl *>(QStringLiteral("velkDateControl1")), 9);
        form.findChild<QPushButton *>(QStringLiteral("C_Cancel"))->click();
    });
    EXPECT_EQ(gui.SelectDate(nullptr, QStringLiteral("5.5.2005")), QString());
    EXPECT_EQ(dialogs->pendingAnswers(), 0);
}
