#pragma once

// Queries of the desktop that the controls make (cursor position, window rectangles,
// key state), in screen pixels. Tests may install a scripted source.

#include <velk/velk_export.h>

#include <QPoint>
#include <QRect>

#include <memory>

class QWidget;

namespace velk {

class VELK_EXPORT ScreenSource
{
public:
    virtual ~ScreenSource() = default;
    virtual QPoint cursorPos() const = 0;
    /// Whether the key with this key code (1/2/4 for mouse buttons) is down now.
    virtual bool isKeyDown(int keyCode) const = 0;
};

namespace Screen {
/// The cursor position in screen pixels.
VELK_EXPORT QPoint cursorPos();
/// The window's rectangle in screen pixels (frame excluded); empty for nullptr.
VELK_EXPORT QRect windowRect(const QWidget *window);
/// Whether the cursor stands inside the widget's window rectangle.
VELK_EXPORT bool isCursorOver(const QWidget *widget);
VELK_EXPORT bool isKeyDown(int keyCode);
/// The current modifier state: Shift 1 + Ctrl 2 (+ Alt 4).
VELK_EXPORT int shiftState();
/// Replaces the source (nullptr restores the real one); returns the previous one.
VELK_EXPORT std::unique_ptr<ScreenSource> setSource(std::unique_ptr<ScreenSource> source);
} // namespace Screen

} // namespace velk
