#pragma once

#include <velk/velk_export.h>

#include <QString>
#include <QStringList>

#include <vector>

namespace velk {

/// The arithmetic of the frame's rows and columns: how a band of pixels is shared among
/// neighbours whose sizes are written as pixels, percentages or nothing.
class VELK_TESTS_EXPORT FrameSizes
{
public:
    /// Pixels between two neighbouring rows or columns.
    static constexpr int GapPx = 5;
    /// What a fixed size counts more while the editing headers are shown.
    static constexpr int ConfigModeExtraPx = 26;

    /// The number a size text starts with (velk::LeadingNumber: "50%" → 50, "12px" → 12,
    /// "abc" and "" → 0), rounded to a whole number with halves to even.
    static int wholeValue(const QString &text);

    /// The sizes of `sizeTexts.size()` neighbours sharing `total` pixels with GapPx between each
    /// two. A size text ending in "%" is a share of what the gaps leave; any other non-empty one
    /// is pixels (plus ConfigModeExtraPx in configuration mode). When the fixed sizes exceed
    /// the room they are scaled down to fit; neighbours left at 0 share the rest equally.
    static std::vector<int> distribute(const QStringList &sizeTexts, int total, bool configMode = false);
};

} // namespace velk
