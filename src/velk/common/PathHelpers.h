#pragma once

// Path helpers for the path forms layouts and settings are written in: drive and network
// paths with "\",
// and URLs (containing "://") with "/". They work on text only, except the two
// file-system queries at the end.

#include <velk/velk_export.h>

#include <QString>

namespace velk {

/// Trimmed path with a trailing separator ("/" for URLs, "\" otherwise); empty stays empty.
VELK_EXPORT QString AddPathSep(const QString &path);
/// Removes one trailing "\" or "/"; "C:\" stays, "C:" becomes "C:\".
VELK_EXPORT QString StripPathSep(const QString &path);
/// Drive path ("x:"), network path ("\\") or URL.
VELK_EXPORT bool IsAbsolutePath(const QString &path);
/// Resolves `rel` against `base`, folding ".\" and "\..\" steps.
VELK_EXPORT QString CombinePath(const QString &base, const QString &rel);
/// Up to and including the last "\" or "/", trimmed; empty without a separator.
VELK_EXPORT QString ParentPath(const QString &path);
/// The text after the last "\" or "/", trimmed.
VELK_EXPORT QString FileNameOf(const QString &path);
/// File-system attributes of `path` as bits: 1 read-only (no write
/// permission for the owner), 2 hidden (a dot file), 16 folder, 32 file. -1 when the
/// path ends in "\." or "\.." or does not exist.
VELK_EXPORT int FileAttrOrNone(const QString &path);
/// True when `path` names an existing file (not a folder); false for an empty text.
VELK_EXPORT bool FileExists(const QString &path);
/// The local file-system path for a path written with "\": every "\" becomes "/",
/// nothing else changes (a drive prefix such as "C:" stays part of the name).
VELK_EXPORT QString NativePath(const QString &path);

} // namespace velk
