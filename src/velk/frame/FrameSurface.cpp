#include "FrameSurface_p.h"

#include "FrameLayout_p.h"

#include <velk/platform/Canvas.h>
#include <velk/platform/PictureBox.h>

#include <QCoreApplication>
#include <QResizeEvent>

#include <algorithm>

namespace velk {
namespace {

// The editing header is navy with white text; a missing control is outlined in red.
constexpr Color kHeaderFill = rgbColor(0, 0, 128);
constexpr Color kHeaderText = rgbColor(255, 255, 255);
constexpr Color kNotFoundColor = rgbColor(255, 0, 0);
// In a form designer each snap-in's cell is a grey box labelled with its class.
constexpr Color kPlaceholderColor = rgbColor(128, 128, 128);

} // namespace

FrameSurface::FrameSurface(QWidget *frame)
    : m_picture(new PictureBox(frame))
{
    m_picture->setObjectName(QStringLiteral("Picture1"));
    m_picture->setScaleMode(ScaleMode::Pixels);
    m_picture->lower();
}

QWidget *FrameSurface::widget() const
{
    return m_picture;
}

Canvas &FrameSurface::canvas()
{
    return m_picture->canvas();
}

void FrameSurface::fitTo(QWidget *frame)
{
    if (m_picture->size() != frame->size())
        m_picture->setGeometry(frame->rect());
    if (m_picture->image().size() != m_picture->size()) {
        QResizeEvent event(m_picture->size(), m_picture->image().size());
        QCoreApplication::sendEvent(m_picture, &event);
    }
}

void FrameSurface::clear()
{
    m_picture->Cls();
    canvas().setFontName(QStringLiteral("Arial"));
    canvas().setFontSize(8);
}

void FrameSurface::setBackColor(Color color)
{
    m_picture->setBackColor(color);
}

void FrameSurface::fill(const FrameRect &r, Color color)
{
    canvas().FilledBox(r.left, r.top, r.right - 1, r.bottom - 1, color);
}

void FrameSurface::drawBorder(const FrameRect &r)
{
    Canvas &c = canvas();
    c.setForeColor(SystemColor::ButtonShadow);
    c.Line(r.left, r.top, r.right - 1, r.top);
    c.Line(r.right - 1, r.top, r.right - 1, r.bottom - 1);
    c.Line(r.right - 1, r.bottom - 1, r.left, r.bottom - 1);
    c.Line(r.left, r.bottom - 1, r.left, r.top);
}

void FrameSurface::drawHeader(const FrameRect &strip, const QString &text)
{
    fill(strip, kHeaderFill);
    printIn(strip, 2, 1, text, kHeaderText, false);
}

void FrameSurface::drawCaption(const FrameRect &bar, const QString &text)
{
    fill(bar, SystemColor::Highlight);
    printIn(bar, 3, 1, text, SystemColor::HighlightText, true);
}

void FrameSurface::drawNotFound(const FrameRect &r, const QString &text, bool placeholder)
{
    canvas().Box(r.left, r.top, r.right - 1, r.bottom - 1, placeholder ? kPlaceholderColor : kNotFoundColor);
    printIn(r, FrameLayout::NotFoundInsetPx, FrameLayout::NotFoundInsetPx, text, SystemColor::WindowText, false);
}

// Text stays inside its cell, however long it is.
void FrameSurface::printIn(const FrameRect &r, int dx, int dy, const QString &text, Color color, bool bold)
{
    Canvas &c = canvas();
    c.setClip(QRectF(r.left, r.top, std::max(0, r.width()), std::max(0, r.height())));
    c.setFontBold(bold);
    c.setForeColor(color);
    c.setCurrentX(r.left + dx);
    c.setCurrentY(r.top + dy);
    c.Print(text);
    c.setClip(QRectF());
}

} // namespace velk
