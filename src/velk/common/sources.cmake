target_sources(velkgui PRIVATE
  src/velk/common/CalendarHelpers.cpp
  src/velk/common/NumberFormat.cpp
  src/velk/common/RecordArena.cpp
  src/velk/common/RecordArena_p.h
  src/velk/common/NumberFormat.h
  src/velk/common/CalendarHelpers.h
  src/velk/common/Collection.h
  src/velk/common/Color.h
  src/velk/common/ColorHelpers.cpp
  src/velk/common/ColorHelpers.h
  src/velk/common/Credentials.cpp
  src/velk/common/Credentials_p.h
  src/velk/common/Error.cpp
  src/velk/common/Error.h
  src/velk/common/GUI.cpp
  src/velk/common/GUI.h
  src/velk/common/IconNames.cpp
  src/velk/common/IconNames.h
  src/velk/common/ImageServices.cpp
  src/velk/common/ImageServices.h
  src/velk/common/LeadingNumber.cpp
  src/velk/common/LeadingNumber_p.h
  src/velk/common/Rounding_p.h
  src/velk/common/PathHelpers.cpp
  src/velk/common/PathHelpers.h
  src/velk/common/SetIfChanged_p.h
  src/velk/common/StdDialoge.cpp
  src/velk/common/StdDialoge.h
  src/velk/common/StdRegistry.cpp
  src/velk/common/StdRegistry.h
  src/velk/common/StringHelpers.cpp
  src/velk/common/StringHelpers.h
  src/velk/common/TextBlocks_p.h
  src/velk/common/TextFile.cpp
  src/velk/common/TextFile.h
  src/velk/common/Translate.cpp
  src/velk/common/Translate.h
)

# Passwords go to the desktop's Secret Service.
find_package(Qt6Keychain REQUIRED)
target_link_libraries(velkgui PRIVATE Qt6Keychain::Qt6Keychain)
