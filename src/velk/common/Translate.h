#pragma once

// Display texts by number. Without a language every number gives its built-in German
// text (or an empty text when there is none); with a language loaded every number gives
// the language's text, or "???" when the language lacks it.
//
// A language file is a text file (read by the library's text-file rule: Windows-1252,
// or UTF-8 with a byte-order mark) of lines
//
//     number=text
//
// where number is a text number 0..65535 in decimal, with blanks around it allowed.
// Blanks around the text are dropped; the escapes of key/value lists keep what would
// otherwise be lost: "\n" is a line break, "\\" a backslash, "\032" a kept blank.
// Empty lines and lines starting with "#" are skipped, so are lines without "=" or
// without a valid number. When a number stands twice the last line wins.
//
// Controls read the language once, when they are created: load it before that.

#include <velk/velk_export.h>

#include <QString>

namespace velk {

/// The text of number `id`.
VELK_EXPORT QString Translate(int id);

/// Reads the language file at `path` (a local path; "\" is read as "/") and makes it
/// the active language. False when the file cannot be read; the state is then unchanged.
VELK_EXPORT bool LoadLanguage(const QString &path);
/// Back to the built-in German texts.
VELK_EXPORT void UnloadLanguage();
/// Whether a loaded language supplies the texts.
VELK_EXPORT bool IsLanguageActive();

} // namespace velk
