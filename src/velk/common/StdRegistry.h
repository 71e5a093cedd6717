#pragma once

// Per-user settings as a tree: a root key (by number 0..6 or
// named at the start of the path), a key path split at "\", and named values ("@" is
// the key's default value). Backed by the settings store in velk/platform.

#include <velk/velk_export.h>

#include <QString>

class QWidget;

namespace velk {

/// Handle of root number 0..6 (0x80000000 + number).
inline constexpr quint32 RootHandleBase = 0x80000000u;

/// The value as text; `found` (when given) tells whether it was read. Root -1 takes the
/// root from the start of `path`. Missing keys or values give an empty text.
VELK_EXPORT QString RegGetString(int root, const QString &path, const QString &valueName,
                                 bool *found = nullptr);
/// Creates every missing key along `path`, then writes `value` as a string value.
VELK_EXPORT void RegSetString(int root, const QString &path, const QString &valueName,
                              const QString &value);
/// The root handle for `root` (or, for -1, for the root named in `path`, which is then
/// changed to the part below the root); 0 when the root is unknown.
VELK_EXPORT quint32 RootFromPath(int root, QString &path);
/// Number of a root key name ("HKCU", "HKEY_CURRENT_USER", ...), -1 when unknown.
VELK_EXPORT int RootFromName(const QString &name);

/// Restores a window's placement from the text stored under root 1, "Software\velk",
/// value `valueName` ("Maximized", "Minimized" or "left,top,width,height").
VELK_EXPORT void RestoreWindowPlacement(QWidget *window, const QString &valueName);
/// Saves a window's placement in the same form.
VELK_EXPORT void SaveWindowPlacement(const QWidget *window, const QString &valueName);

} // namespace velk
