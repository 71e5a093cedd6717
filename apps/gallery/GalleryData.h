#pragma once

#include <QString>

/// The path of one of the gallery's data files (layout, sample archive script): under the
/// install prefix next to an installed gallery, else in the source tree it was built from.
QString galleryDataFile(const QString &name);
