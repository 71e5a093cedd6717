#pragma once

#include <QString>

// The element and attribute names of a frame layout tree, in one place.
namespace velk::FrameTag {

inline const QString Item = QStringLiteral("ITEM");
inline const QString Rows = QStringLiteral("ROWS");
inline const QString Cols = QStringLiteral("COLS");
inline const QString Tabs = QStringLiteral("TABS");
inline const QString Multi = QStringLiteral("MULTI");
inline const QString Cell = QStringLiteral("CELL");
inline const QString Container = QStringLiteral("CONTAINER");
inline const QString Space = QStringLiteral("SPACE");
inline const QString Generic = QStringLiteral("GENERIC");

} // namespace velk::FrameTag
