#pragma once

#include <velk/common/Color.h>
#include <velk/frame/FrameRect_p.h>

#include <QString>

class QWidget;

namespace velk {

class Canvas;
class PictureBox;

/// The frame's drawing surface: the picture box "Picture1" behind the snap-ins, on which
/// a layout plan draws caption bars, borders, editing headers and missing-control boxes.
class FrameSurface
{
public:
    /// Creates the picture box as the lowest child of `frame`.
    explicit FrameSurface(QWidget *frame);

    /// The picture box (a PictureBox).
    QWidget *widget() const;
    Canvas &canvas();

    /// Gives the picture the frame's size, with its image resized at once (a hidden
    /// widget would otherwise get its resize event only when shown).
    void fitTo(QWidget *frame);
    /// Clears to the background colour and sets the font the pass writes in.
    void clear();
    void setBackColor(Color color);

    void fill(const FrameRect &r, Color color);
    void drawBorder(const FrameRect &r);
    void drawHeader(const FrameRect &strip, const QString &text);
    void drawCaption(const FrameRect &bar, const QString &text);
    /// A red box with the message, or for a placeholder a grey box with its label.
    void drawNotFound(const FrameRect &r, const QString &text, bool placeholder = false);

private:
    void printIn(const FrameRect &r, int dx, int dy, const QString &text, Color color, bool bold);

    PictureBox *m_picture;
};

} // namespace velk
