#pragma once

#include <velk/velk_export.h>

#include <QDate>
#include <QObject>
#include <QWidget>

#include <memory>

namespace velk {

class Canvas;

/// The events of a velkDateControl.
class VELK_EXPORT velkDateControlEvents : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
signals:
    /// A day was picked (mouse or keyboard), or the month or year label was clicked.
    void Changed();
};

/// A small month calendar for picking one day. Rows from the top: the month name between
/// the arrow buttons `C_Monat` (Index 0 back, 1 forward), the year between `C_Jahr`, the
/// weekdays "Mo" … "So", and six weeks in seven columns, Monday first. Lengths are pixels.
///
/// Keyboard: arrows pick the neighbouring day, Page Up/Page Down move a month (with Ctrl a
/// year), Space and Enter pick the shown day.
class VELK_EXPORT velkDateControl : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Year MEMBER Year STORED false)
    Q_PROPERTY(int Month MEMBER Month STORED false)
    Q_PROPERTY(int SelectedDay MEMBER SelectedDay STORED false)
    Q_PROPERTY(int SelectedMonth MEMBER SelectedMonth STORED false)
    Q_PROPERTY(int SelectedYear MEMBER SelectedYear STORED false)
    Q_PROPERTY(QString Datum READ Datum WRITE setDatum STORED false)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled STORED false)

public:
    Q_INVOKABLE explicit velkDateControl(QWidget *parent = nullptr);
    ~velkDateControl() override;

    int Year;              ///< the month shown (today's on creation)
    int Month;
    int SelectedDay = 0;   ///< the picked day; 0 = none
    int SelectedMonth = 0;
    int SelectedYear = 0;

    velkDateControlEvents *events() const;

    /// "dd.mm.yyyy" of the picked day; empty when none is picked.
    QString Datum() const;
    /// Picks the day read from "d.m.y" and shows its month; a text that is no calendar day
    /// clears the pick. Raises no event.
    void setDatum(const QString &text);
    /// The picked day; invalid when none is.
    QDate pickedDate() const;

    /// Redraws the calendar.
    Q_INVOKABLE void Refresh();
    /// Shows `month` of `year`; months outside 1..12 roll over into the year.
    void showMonth(int year, int month);

    /// Draws the calendar on `canvas` (pixels); changes nothing.
    void paintOn(Canvas &canvas) const;

    // Input in the platform's values (positions in pixels).
    void MouseUp(int button, int shift, float x, float y);
    void KeyDown(int keyCode, int shift);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
