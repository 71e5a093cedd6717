#pragma once

#include <velk/velk_export.h>

#include <QByteArray>
#include <QString>
#include <optional>

namespace velk {

/// The one rule for the library's text files. Text is written in Windows-1252 with
/// CR LF line ends when every character fits, otherwise in UTF-8 with a byte-order
/// mark; it is read as UTF-8 when the mark is there and as Windows-1252 otherwise.
/// Existing 8-bit files read unchanged, and nothing typed is lost.
namespace TextFile {

/// Decodes file content by the rule above (the mark is not part of the text).
VELK_EXPORT QString decode(const QByteArray &bytes);
/// Encodes text by the rule above; line ends are written as they stand in `text`.
VELK_EXPORT QByteArray encode(const QString &text);
/// True when every character of `text` has a Windows-1252 byte.
VELK_EXPORT bool fitsWindows1252(const QString &text);

/// Reads a whole file; nullopt when it cannot be opened.
VELK_EXPORT std::optional<QString> read(const QString &path);
/// Replaces the file atomically (a failed write leaves the old file whole); false on failure.
VELK_EXPORT bool write(const QString &path, const QString &text);

/// Turns bare LF line ends into CR LF; CR LF stays as it is.
VELK_EXPORT QString toCrLf(const QString &text);

} // namespace TextFile
} // namespace velk
