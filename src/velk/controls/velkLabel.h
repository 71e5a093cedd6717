#pragma once

#include <velk/common/Color.h>
#include <velk/velk_export.h>

#include <QObject>
#include <QString>
#include <QWidget>

#include <memory>

namespace velk {

class Canvas;

/// The events of a velkLabel.
class VELK_EXPORT velkLabelEvents : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
signals:
    /// A mouse release: `id` is the button under it (1 for the first entry of Menu), or 0
    /// on the caption area.
    void Click(int id);
};

/// A caption bar with two background colours and a row of small buttons at its right end.
///
/// `style`: 0 a plain BackColor1 bar, 1 a gradient from BackColor1 at the left to
/// BackColor2 at the right, 2 the same gradient from top to bottom. `BorderStyle` 1 draws
/// a single dark frame. `Menu` is a comma-separated list of button entries: an icon name
/// shows that icon, any other text is written on the button. Buttons are 16 pixels wide
/// at an 18-pixel pitch, the last one 2 pixels from the right edge.
class VELK_EXPORT velkLabel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption STORED true)
    Q_PROPERTY(velk::Color BackColor1 READ BackColor1 WRITE setBackColor1 STORED true)
    Q_PROPERTY(velk::Color BackColor2 READ BackColor2 WRITE setBackColor2 STORED true)
    Q_PROPERTY(velk::Color ForeColor READ ForeColor WRITE setForeColor STORED true)
    Q_PROPERTY(QFont Font READ Font WRITE setFont STORED true)
    Q_PROPERTY(short style READ styleNumber WRITE setStyleNumber STORED true)
    Q_PROPERTY(short BorderStyle READ BorderStyle WRITE setBorderStyle STORED true)
    Q_PROPERTY(QString Menu READ Menu WRITE setMenu STORED true)
    Q_PROPERTY(bool Bold READ Bold WRITE setBold STORED false)

public:
    /// Width of a button and the distance from one button to the next, in pixels.
    static constexpr int ButtonWidth = 16;
    static constexpr int ButtonPitch = 18;

    Q_INVOKABLE explicit velkLabel(QWidget *parent = nullptr);
    ~velkLabel() override;

    velkLabelEvents *events() const;

    QString caption() const;
    void setCaption(const QString &caption);
    Color BackColor1() const;
    void setBackColor1(Color color);
    Color BackColor2() const;
    void setBackColor2(Color color);
    Color ForeColor() const;
    void setForeColor(Color color);
    QFont Font() const;
    /// The `style` property. Named apart in C++ so that QWidget::style() keeps its meaning.
    short styleNumber() const;
    void setStyleNumber(short style);
    short BorderStyle() const;
    void setBorderStyle(short borderStyle);
    QString Menu() const;
    /// Stores the entries and counts them (with GetToken at ",": "a,,b" has three).
    void setMenu(const QString &menu);
    bool Bold() const;
    void setBold(bool bold);
    /// The number of buttons.
    int ButtonCount() const;
    /// The button under the pointer (0 for none).
    int HotButton() const;

    /// The left pixel of button `i` (from 1) in a label `width` pixels wide with `count` buttons.
    static int buttonLeft(int i, int count, int width);
    /// The first button whose span [left, left + 16] holds `x`, or 0.
    static int buttonAt(double x, int count, int width);

    Q_INVOKABLE void Refresh();

    // Input as the library's input codes; the Qt event handlers call these.
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    /// One tick of the hover timer: clears the hover state once the cursor has left.
    void HoverTimerTick();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    friend class ControlPainting;
    /// Draws the label on `canvas` (pixels).
    void paintOn(Canvas &canvas);

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
