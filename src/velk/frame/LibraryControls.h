#pragma once

#include <velk/velk_export.h>

namespace velk {

/// Makes the library's own controls creatable by class name, so that a frame layout can
/// host them as snap-ins ("velkSheet", "velkMenuBar", ...). Safe to call more than once;
/// every velkFrameControl calls it.
VELK_EXPORT void registerLibraryControls();

} // namespace velk
