#pragma once

// Path helpers for the original's path forms: drive and network paths with "\",
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
/// The containing folder with its trailing separator; empty without a separator.
VELK_EXPORT QString ParentPath(const QString &path);
/// The text after the last separator, trimmed.
VELK_EXPORT QString FileNameOf(const QString &path);
/// File-system attributes of `path` (the original's bit values); -1 when it cannot be examined.
VELK_EXPORT int FileAttrOrNone(const QString &path);
/// True when the length of the file can be read; false for an empty text.
VELK_EXPORT bool FileExists(const QString &path);
/// The local file-system path for a path in the original's form ("\" becomes "/").
VELK_EXPORT QString NativePath(const QString &path);

} // namespace velk
