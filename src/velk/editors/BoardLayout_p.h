#pragma once

#include <velk/velk_export.h>

#include <QPoint>
#include <QRect>
#include <QString>

#include <vector>

namespace velk {

class Canvas;
class velkIcon;

/// One entry of a box's menu strip; `rect` is relative to the box's top left, twips.
struct BoardMenuEntry
{
    int number = 0; ///< 1-based position in MenuString, as ClickMenu reports it
    QString text;
    int icon = 0;   ///< icon number when the entry names an icon; 0 draws the text
    QRect rect;
};

/// Where the parts of a box go. Every box has the same size and menu, so this is worked
/// out once per change of the size or the menu and shared by painting and hit tests.
/// Lengths are twips, relative to a box's top left.
struct VELK_TESTS_EXPORT BoardLayout
{
    static constexpr int kPadding = 60;
    static constexpr int kMenuGap = 90;
    static constexpr int kIconSize = 240;
    static constexpr const char *kFontName = "Arial";
    static constexpr double kFontSize = 8;

    int width = 0;
    int height = 0;
    int lineHeight = 0;
    QRect captionRect;
    QRect descriptionRect;
    int menuTop = 0; ///< top of the menu strip; a separator line runs just above it
    std::vector<BoardMenuEntry> menu; ///< the entries that fit, left to right

    /// The layout of `width` × `height` boxes whose menu strip shows the ","-separated
    /// `menuString`. `measure` gives text sizes in the box font (set here); entries that
    /// name an icon of `icons` are drawn as that icon. Entries that do not fit are left out.
    static BoardLayout make(const QString &menuString, int width, int height, Canvas &measure,
                            const velkIcon *icons);
    /// Sets `canvas` to the box font.
    static void useFont(Canvas &canvas, bool bold);
    /// The number of the menu entry under `inBox` (relative to the box); 0 for none.
    int menuEntryAt(QPoint inBox) const;
};

} // namespace velk
