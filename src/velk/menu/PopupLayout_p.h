#pragma once

// The popup menu's lines stacked over the control's height, in twips. Painting, hovering
// and pressing all use this one layout.

#include <velk/velk_export.h>

#include <QString>

#include <vector>

namespace velk {

struct VELK_TESTS_EXPORT PopupLine
{
    QString text;
    bool isSeparator = false;
    int number = 0;     ///< counted from 1 over the lines that are no separators; 0 for separators
    double top = 0;     ///< twips
    double height = 0;  ///< twips
};

class VELK_TESTS_EXPORT PopupLayout
{
public:
    /// Height of a separator in twips.
    static constexpr double SeparatorHeight = 80;

    /// Splits `menu` at "," (as GetToken does) and stacks the lines from the top: every
    /// line that is no separator "-" gets (innerHeight − twipsPerPixelY − 80 · separators) /
    /// (lines − separators). With separators only, lines have no height.
    PopupLayout(const QString &menu, double innerHeight, double twipsPerPixelY);

    const std::vector<PopupLine> &lines() const { return m_lines; }
    double lineHeight() const { return m_lineHeight; }
    /// The number of the line whose band [top, top + height) holds `y`; 0 on a separator
    /// or below the last line.
    int lineAt(double y) const;
    /// The line with `number`, or nullptr.
    const PopupLine *line(int number) const;

private:
    std::vector<PopupLine> m_lines;
    double m_lineHeight = 0;
};

} // namespace velk
