#pragma once

namespace velk {

/// A rectangle of the frame's drawing surface as (left, top, right, bottom) in pixels;
/// right and bottom lie just outside, so width = right - left.
struct FrameRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const FrameRect &) const = default;
};

} // namespace velk
