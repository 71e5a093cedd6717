#pragma once

#include <velk/common/Color.h>
#include <velk/velk_export.h>

#include <QObject>
#include <QWidget>

#include <memory>

namespace velk {

/// The events of a velkScala.
class VELK_EXPORT velkScalaEvents : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
signals:
    /// Raised after every move by the user, once `value` holds the new value.
    void Scroll();
};

/// A horizontal slider: a grey track line and a movable thumb (the child `Picture1`)
/// choosing a whole number between `MinValue` and `MaxValue`. Setting `value` only stores
/// it; `Refresh` places the thumb. Positions are twips (15 per pixel).
///
/// Keyboard: Left/Right move by a hundredth of the range, Page Up/Down by a tenth,
/// Home/End to the ends; each raises Scroll.
class VELK_EXPORT velkScala : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int MinValue READ MinValue WRITE setMinValue STORED true)
    Q_PROPERTY(int MaxValue READ MaxValue WRITE setMaxValue STORED true)
    Q_PROPERTY(int value READ value WRITE setValue STORED true)
    Q_PROPERTY(velk::Color BackColor READ BackColor WRITE setBackColor STORED true)

public:
    Q_INVOKABLE explicit velkScala(QWidget *parent = nullptr);
    ~velkScala() override;

    velkScalaEvents *events() const;

    int MinValue() const;
    void setMinValue(int v);
    int MaxValue() const;
    void setMaxValue(int v);
    int value() const;
    void setValue(int v);
    Color BackColor() const;
    void setBackColor(Color color);

    /// Places the thumb for `value` (it stays where it is when MinValue = MaxValue) and
    /// repaints.
    Q_INVOKABLE void Refresh();

    /// The value a press at `x` twips on the control chooses, clamped to the range.
    int valueAt(double xTwips) const;

    // Input in twips with buttons 1/2/4 and shift Shift 1 + Ctrl 2 + Alt 4; the Qt event
    // handlers call these. A press or a move with the left button chooses a value.
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    /// The same on the thumb: x is relative to the thumb's left.
    void ThumbMouseDown(int button, int shift, float x, float y);
    void ThumbMouseMove(int button, int shift, float x, float y);
    void KeyDown(int keyCode, int shift);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
