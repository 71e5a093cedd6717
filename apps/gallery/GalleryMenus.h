#pragma once

#include <QList>
#include <QString>

#include <functional>

class QWidget;

namespace velk {
class velkFrameControl;
class velkMenuBar;
}

/// One command of a drop-down menu: its caption ("-" is a separator) and what it does.
struct GalleryMenuEntry
{
    QString caption;
    std::function<void()> action;
};

/// The entries to open for item `id` of a bar, `arrow` when the split arrow of a "|v" item
/// was clicked; none opens nothing.
using GalleryMenuProvider = std::function<QList<GalleryMenuEntry>(int id, bool arrow)>;

/// The gallery's answer to a menu bar's Click and ClickMenu, the way a host answers them:
/// a velkMenuPopup in a popup window under the item, whose chosen line runs its command.
namespace GalleryMenus {

/// Opens `entries` at (x, y) twips of `anchor` (the corner a menu bar's Click reports)
/// and returns the popup window (object name "galleryMenu"), which deletes itself when
/// it closes. Choosing a line closes the window, then runs the entry's action.
QWidget *open(QWidget *anchor, float xTwips, float yTwips, const QList<GalleryMenuEntry> &entries);

/// Answers `bar`'s Click and ClickMenu by opening what `provider` gives for the item.
void attach(velk::velkMenuBar *bar, GalleryMenuProvider provider);

/// Answers the toolbar of every snap-in of `frame` (call after its Init) through
/// `provider(nr, id, arrow)`, nr being the snap-in's number.
void attachToolbars(velk::velkFrameControl *frame, std::function<QList<GalleryMenuEntry>(int nr, int id, bool arrow)> provider);

/// The popup window opened last and still open, or nullptr.
QWidget *openPopup();

} // namespace GalleryMenus
