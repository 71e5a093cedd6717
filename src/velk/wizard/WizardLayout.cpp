#include "WizardLayout_p.h"

#include <algorithm>

namespace velk {

std::vector<WizardLayout::Placement> WizardLayout::arrange(const std::vector<Field> &fields, int width, int height,
                                                          int labelWidth, int &contentHeight)
{
    const bool anySideButton = std::any_of(fields.begin(), fields.end(), [](const Field &f) { return f.hasSideButton; });
    // The label column takes what the labels need, within 40 % of the width.
    const int labelColumn = std::clamp(labelWidth + kGap, kMinLabelColumn, std::max(kMinLabelColumn, width * 2 / 5));
    const int inputLeft = kMargin + labelColumn;
    const int sideLeft = width - kMargin - kSideButtonWidth;
    const int inputRight = anySideButton ? sideLeft - kGap : width - kMargin;
    const int inputWidth = std::max(inputRight - inputLeft, kSideButtonWidth);

    // Heights: fixed fields as given; the free height shared evenly by the variable ones.
    int fixedTotal = 0;
    int variableCount = 0;
    for (const Field &f : fields) {
        if (f.minHeight > 0)
            ++variableCount;
        else
            fixedTotal += f.height;
    }
    const int gaps = fields.empty() ? 0 : int(fields.size() - 1) * kGap;
    const int free = height - 2 * kMargin - gaps - fixedTotal;
    const int share = variableCount > 0 ? free / variableCount : 0;

    std::vector<Placement> out;
    out.reserve(fields.size());
    int y = kMargin;
    for (const Field &f : fields) {
        const int h = f.minHeight > 0 ? std::clamp(share, f.minHeight, std::max(f.minHeight, f.maxHeight)) : f.height;
        Placement p;
        if (f.hasLabel)
            p.label = QRect(kMargin, y, labelColumn - kGap, kTextLine);
        if (f.hasInput)
            p.input = QRect(inputLeft, y, inputWidth, h);
        if (f.hasSideButton)
            p.sideButton = QRect(sideLeft, y, kSideButtonWidth, std::min(std::max(h, kTextLine), kTextLine + 60));
        out.push_back(p);
        y += std::max(h, f.hasLabel ? kTextLine : 0) + kGap;
    }
    contentHeight = fields.empty() ? 2 * kMargin : y - kGap + kMargin;
    return out;
}

} // namespace velk
