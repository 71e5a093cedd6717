#pragma once

#include <velk/common/Color.h>
#include <velk/platform/Canvas.h>
#include <velk/platform/Input.h>
#include <velk/velk_export.h>

#include <QWidget>

#include <memory>

namespace velk {

/// A picture box, a drawing surface: drawings go through canvas() onto a
/// persistent image, so they survive repaints and resizing (the image grows and shrinks
/// with the widget and keeps its content). Mouse and key input arrive as signals with the
/// library's input codes: buttons 1/2/4, shift state Shift 1 + Ctrl 2 + Alt 4, key codes of
/// velk/platform/Input.h and positions in the canvas's scale.
class VELK_EXPORT PictureBox : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(velk::Color BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(velk::Color ForeColor READ ForeColor WRITE setForeColor)

public:
    explicit PictureBox(QWidget *parent = nullptr);
    ~PictureBox() override;

    /// The canvas over the persistent image; drawing on it schedules a repaint.
    Canvas &canvas();
    /// The persistent image, as large as the widget.
    const QImage &image() const;

    ScaleMode scaleMode() const;
    void setScaleMode(ScaleMode mode);
    /// The inner size in the scale.
    double ScaleWidth() const;
    double ScaleHeight() const;

    Color BackColor() const;
    /// A new background colour clears the picture to it (as Cls does).
    void setBackColor(Color color);
    Color ForeColor() const;
    void setForeColor(Color color);

    /// Clears the picture to BackColor; CurrentX/Y become 0.
    void Cls();
    /// Repaints the widget from the persistent image now.
    void Refresh();

    QSize sizeHint() const override;

signals:
    void MouseDown(int button, int shift, float x, float y);
    /// `button` is the sum of the buttons held while the mouse moves.
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    /// A left button released over the picture after it was pressed there.
    void Click();
    void DblClick();
    void KeyDown(int &keyCode, int shift);
    void KeyUp(int &keyCode, int shift);
    void KeyPress(int &keyAscii);
    /// Raised before the picture is shown on the screen; drawing on canvas() in a handler
    /// lands in the persistent image and is shown at once.
    void Paint();
    void Resize();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
