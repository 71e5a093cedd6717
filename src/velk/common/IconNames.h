#pragma once

#include <velk/velk_export.h>

#include <QString>
#include <QStringList>

namespace velk {

/// The built-in icon vocabulary: 91 blank-separated words; a word's position,
/// counted from 1, is its built-in icon number ("up" stands twice; the first wins).
VELK_EXPORT const QString &IconNameList();
/// The 91 words in order (index 0 is icon number 1).
VELK_EXPORT const QStringList &IconNames();
/// The built-in number of an icon name, 0 when the vocabulary lacks it.
VELK_EXPORT int IconNumberOf(const QString &name);

} // namespace velk
