#pragma once

#include <velk/velk_export.h>

#include <QObject>
#include <QWidget>

#include <memory>

namespace velk {

/// The events of a velkSplitter, in this order.
class VELK_EXPORT velkSplitterEvents : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
signals:
    /// The host should lay out the two areas beside the bar again.
    void Resize();
    /// The bar's new left (Orientation 1) or top, in twips of the container; the host
    /// moves the bar there.
    void SetPosition(double v);
};

/// A bar the user drags to share a container between two areas. It never moves itself:
/// during a drag it reports each new position with SetPosition, kept `MinSize` twips from
/// either edge of its parent, and the host moves it. `Resize` follows every move when
/// `RealTime` is true and always once at the end of the drag. Orientation 1 is a
/// vertical bar dragged left and right, any other value a horizontal bar dragged up and
/// down. With the focus, the arrow keys along its axis move it by 10 pixels.
class VELK_EXPORT velkSplitter : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(short MinSize READ MinSize WRITE setMinSize STORED true)
    Q_PROPERTY(bool RealTime READ RealTime WRITE setRealTime STORED true)
    Q_PROPERTY(short Orientation READ Orientation WRITE setOrientation STORED true)

public:
    Q_INVOKABLE explicit velkSplitter(QWidget *parent = nullptr);
    ~velkSplitter() override;

    velkSplitterEvents *events() const;

    short MinSize() const;
    void setMinSize(short twips);
    bool RealTime() const;
    void setRealTime(bool on);
    short Orientation() const;
    void setOrientation(short orientation);

    /// Whether a drag is in progress.
    bool isDragging() const;

    // Input in twips relative to the bar, buttons 1/2/4, shift Shift 1 + Ctrl 2 + Alt 4;
    // the Qt event handlers call these.
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    void KeyDown(int keyCode, int shift);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
