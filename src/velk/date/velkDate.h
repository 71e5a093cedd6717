#pragma once

#include <velk/velk_export.h>

#include <QObject>
#include <QWidget>

#include <memory>

namespace velk {

class Canvas;

/// The events of a velkDate.
class VELK_EXPORT velkDateEvents : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
signals:
    /// Raised at the very start of every mouse press, before the press changes anything.
    void Click();
};

/// A month/year picker. The top quarter shows "<", three years and ">" (a grid of 8
/// columns); below stand the months 1 to 12 in three rows of four. A year click selects
/// the year (again: clears the choice), a month click selects the month (again: clears
/// it); the arrows move the three years shown. `Text` is the choice as a range text
/// ("3.2024", "2024", or empty). Lengths are pixels.
///
/// Keyboard: Left/Right and Up/Down move the month by 1 and 4, Page Up/Page Down the year.
class VELK_EXPORT velkDate : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(short Year MEMBER Year STORED false)
    Q_PROPERTY(short Month MEMBER Month STORED false)
    Q_PROPERTY(QString Text READ Text STORED false)

public:
    Q_INVOKABLE explicit velkDate(QWidget *parent = nullptr);
    ~velkDate() override;

    short Year = 0;   ///< the selected year; 0 = none
    short Month = 0;  ///< the selected month 1..12; 0 = none

    velkDateEvents *events() const;

    /// "m." when a month is selected, then the year when one is; empty when nothing is.
    QString Text() const;
    /// The first of the three years shown (today's year − 2 on creation).
    int firstShownYear() const;

    /// Redraws the picker.
    Q_INVOKABLE void Refresh();
    /// Draws the picker on `canvas` (pixels); changes nothing.
    void paintOn(Canvas &canvas) const;

    // Input in the platform's values (positions in pixels).
    void MouseDown(int button, int shift, float x, float y);
    void KeyDown(int keyCode, int shift);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
