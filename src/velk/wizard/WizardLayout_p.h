#pragma once

#include <velk/velk_export.h>

#include <QRect>

#include <vector>

namespace velk {

/// Arranges the fields of a wizard page in twips: labels in the left column, inputs to
/// their right, side buttons at the far right, fields stacked top to bottom. Fields with
/// a variable height share the free height between their minimum and maximum.
struct VELK_TESTS_EXPORT WizardLayout
{
    static constexpr int kMargin = 120;
    static constexpr int kGap = 90;
    static constexpr int kSideButtonWidth = 1125;
    static constexpr int kMinLabelColumn = 1200;
    static constexpr int kTextLine = 285; ///< height a LABEL field is given for its one line

    struct Field
    {
        int height = 0;     ///< fixed height, or the preferred one of a variable field
        int minHeight = 0;  ///< above 0: the field's height varies from here...
        int maxHeight = 0;  ///< ...to here
        bool hasLabel = false;
        bool hasInput = true;
        bool hasSideButton = false;
    };
    struct Placement
    {
        QRect label;
        QRect input;
        QRect sideButton;
    };

    /// Places `fields` in a view `width` × `height` twips whose labels need at most
    /// `labelWidth`. `contentHeight` receives the height the page needs (more than
    /// `height` calls for a scroll bar).
    static std::vector<Placement> arrange(const std::vector<Field> &fields, int width, int height, int labelWidth,
                                          int &contentHeight);
};

} // namespace velk
