#pragma once

#include <velk/common/Color.h>
#include <velk/velk_export.h>

#include <QString>

namespace velk {

/// A colour from a name of the colour table or an "r,g,b" text; unknown names
/// (and an empty text) give the button-face system colour.
VELK_EXPORT Color ColorFromText(const QString &text);
/// The table name of a colour, or its "r,g,b" text; empty for system colours.
VELK_EXPORT QString ColorToText(Color color);

} // namespace velk
