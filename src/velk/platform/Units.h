#pragma once

// Twips and screen pixels. The sheet, the frame and the forms measure in twips, 15 to a
// pixel; these convert between the two without floating point.

namespace velk {

inline constexpr int twipsPerPixel = 15;

/// `pixels` in twips.
constexpr int twipsOfPixels(int pixels)
{
    return pixels * twipsPerPixel;
}

/// `twips` in whole pixels, rounded to the nearest (an exact half cannot occur).
constexpr int pixelsOfTwips(int twips)
{
    return twips >= 0 ? (twips + twipsPerPixel / 2) / twipsPerPixel
                      : -((-twips + twipsPerPixel / 2) / twipsPerPixel);
}

/// `twips` rounded to a whole number of pixels, in twips.
constexpr int wholePixelTwips(int twips)
{
    return twipsOfPixels(pixelsOfTwips(twips));
}

static_assert(pixelsOfTwips(7) == 0 && pixelsOfTwips(8) == 1 && pixelsOfTwips(-8) == -1);

} // namespace velk
