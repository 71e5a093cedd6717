#pragma once

#include <velk/date/DateSelectorModel.h>
#include <velk/velk_export.h>

#include <QObject>
#include <QWidget>

#include <memory>

class QMenu;

namespace velk {

class Canvas;

/// The events of a velkDateSelector.
class VELK_EXPORT velkDateSelectorEvents : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
signals:
    /// The selection changed through the mouse, the keyboard or the context menu.
    void Changed();
};

/// A one-month calendar on which the user picks a day, a week, the month, the year or a
/// range of days (Shift or Ctrl held). Its area is 8 × 8 cells: the year row and the month
/// row between arrow cells, then six week rows with the week number in column 1 and the
/// days Monday to Sunday in columns 2 to 8. Lengths are pixels.
///
/// `flags`: "nodeselect" keeps a selection when it is clicked again, "norange" turns
/// range mode off. The public variables (DateSelectorState) are members and properties;
/// after writing them directly call Refresh().
///
/// Keyboard: arrows move the keyboard's day (with Shift they extend the selection),
/// Page Up/Page Down a month (with Ctrl a year), Space and Enter select the day.
class VELK_EXPORT velkDateSelector : public QWidget, public DateSelectorState
{
    Q_OBJECT
    Q_PROPERTY(int Year MEMBER Year STORED false)
    Q_PROPERTY(int Month MEMBER Month STORED false)
    Q_PROPERTY(int SelectedYear1 MEMBER SelectedYear1 STORED false)
    Q_PROPERTY(int SelectedMonth1 MEMBER SelectedMonth1 STORED false)
    Q_PROPERTY(int SelectedDay1 MEMBER SelectedDay1 STORED false)
    Q_PROPERTY(int SelectedYear2 MEMBER SelectedYear2 STORED false)
    Q_PROPERTY(int SelectedMonth2 MEMBER SelectedMonth2 STORED false)
    Q_PROPERTY(int SelectedDay2 MEMBER SelectedDay2 STORED false)
    Q_PROPERTY(velk::Color SelectedColor MEMBER SelectedColor)
    Q_PROPERTY(velk::Color NormalColor MEMBER NormalColor)
    Q_PROPERTY(velk::Color SelectedForeColor MEMBER SelectedForeColor)
    Q_PROPERTY(velk::Color IndirectSelectedBackColor MEMBER IndirectSelectedBackColor)
    Q_PROPERTY(velk::Color NormalForeColor MEMBER NormalForeColor)
    Q_PROPERTY(velk::Color BackColor MEMBER BackColor)
    Q_PROPERTY(QString flags READ flags WRITE setFlags STORED true)
    Q_PROPERTY(QString datum1 READ datum1 WRITE setDatum1 STORED false)
    Q_PROPERTY(QString Datum2 READ Datum2 STORED false)
    Q_PROPERTY(QString MorvaiCondition READ MorvaiCondition STORED false)

public:
    Q_INVOKABLE explicit velkDateSelector(QWidget *parent = nullptr);
    ~velkDateSelector() override;

    velkDateSelectorEvents *events() const;

    QString flags() const;
    void setFlags(const QString &flags);
    /// "dd.mm.yyyy" of the start; empty when nothing is selected.
    QString datum1() const;
    /// Selects the day read from "d.m.y" as start and end and shows its month; repaints.
    /// A text that is no calendar day clears the selection. Raises no event.
    void setDatum1(const QString &text);
    /// "dd.mm.yyyy" of the end; empty for a single date.
    QString Datum2() const;
    /// The selection as a date condition ("$date=03.2009", "$date>=…/$date<=…").
    QString MorvaiCondition() const;

    /// Redraws the calendar.
    Q_INVOKABLE void Refresh();
    /// The logic over this control's variables (for hosts and tests without a window).
    DateSelectorModel &model();
    /// The context menu "menu_popup".
    QMenu *contextMenu() const;

    /// Draws the calendar on `canvas` (pixels); changes nothing.
    void paintOn(Canvas &canvas) const;

    // Input in the platform's values (buttons 1/2/4, positions in pixels). The range mode
    // of a release is read from the keyboard state at that moment (Screen::shiftState).
    void MouseDown(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    void KeyDown(int keyCode, int shift);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
