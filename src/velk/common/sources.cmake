target_sources(velkgui PRIVATE
  src/velk/common/CalendarHelpers.h
  src/velk/common/Collection.h
  src/velk/common/Color.h
  src/velk/common/ColorHelpers.h
  src/velk/common/Error.cpp
  src/velk/common/Error.h
  src/velk/common/IconNames.h
  src/velk/common/PathHelpers.h
  src/velk/common/StdRegistry.h
  src/velk/common/StringHelpers.cpp
  src/velk/common/StringHelpers.h
  src/velk/common/TextFile.cpp
  src/velk/common/TextFile.h
  src/velk/common/StdDialoge.cpp
  src/velk/common/StdDialoge.h
  src/velk/common/StdRegistry.cpp
)
