#pragma once

// Small user-interface helpers: the open and save dialogs with the library's filter
// form, the colour picker, the busy pointer and the modifier-key state. The dialogs are
// shown through velk::Dialogs, so tests can answer them.

#include <velk/common/Color.h>
#include <velk/velk_export.h>

#include <QString>

class QWidget;

namespace velk {

/// The "caption|pattern|caption|pattern" filter for `filter`. A filter starting with "#"
/// lists extensions ("#doc#xls", "#*"): each becomes "<caption>-Dateien|*.<ext>" with the
/// caption from the file-type table (the extension itself when it has no row), "*"
/// becomes "Alle Dateien|*.*"; empty extensions are skipped. Any other text is returned
/// as it stands.
VELK_EXPORT QString BuildFileFilter(const QString &filter);
/// The Qt form ("Word-Dateien (*.doc);;Alle Dateien (*)") of a "caption|pattern|..."
/// filter: ";" between patterns becomes a blank and "*.*" matches every name. A caption
/// without its pattern is dropped.
VELK_EXPORT QString QtFileFilter(const QString &filter);

/// Shows the open dialog (`mode` 0: file must exist) or the save dialog (`mode` 1: asks
/// before replacing a file; `mode` 2: does not ask) with `file` preselected in `dir`, or
/// in the current folder when `dir` is empty. When `dir` was given it receives the chosen
/// file's folder (without a trailing separator) and the result is the file name; else the
/// result is the full path. Cancel gives an empty text and leaves `dir` alone.
/// `defaultExt` (without the point) is added to a typed name without an extension.
VELK_EXPORT QString FileDialog(QWidget *owner, const QString &file, QString &dir,
                               const QString &title = QString(), const QString &filter = QString(),
                               const QString &defaultExt = QString(), int mode = 0);
/// Shows the colour picker with `color` preselected; true and `color` set when confirmed,
/// false and `color` unchanged on cancel.
VELK_EXPORT bool ChooseColorDialog(QWidget *owner, Color &color);
/// The application's mouse pointer: the default one when `ready`, the hourglass otherwise.
/// Repeated calls do not pile up: one `ready` call always restores the default pointer.
VELK_EXPORT void SetBusyPointer(bool ready);
/// The modifier keys held now: Shift 1 + Ctrl 2 (0 to 3).
VELK_EXPORT int GetShiftState();

} // namespace velk
