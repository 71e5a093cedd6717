target_sources(velkgui PRIVATE
  src/velk/platform/Canvas.cpp
  src/velk/platform/Canvas.h
  src/velk/platform/ControlFactory.cpp
  src/velk/platform/ControlFactory.h
  src/velk/platform/Dialogs.cpp
  src/velk/platform/Dialogs.h
  src/velk/platform/Input.cpp
  src/velk/platform/Input.h
  src/velk/platform/PictureBox.cpp
  src/velk/platform/PictureBox.h
  src/velk/platform/Printer.cpp
  src/velk/platform/Printer.h
  src/velk/platform/QtDialogs.cpp
  src/velk/platform/QtDialogs.h
  src/velk/platform/Screen.cpp
  src/velk/platform/Screen.h
  src/velk/platform/ScriptedDialogs.cpp
  src/velk/platform/ScriptedDialogs.h
  src/velk/platform/ScriptedScreen.cpp
  src/velk/platform/ScriptedScreen.h
  src/velk/platform/SettingsStore.cpp
  src/velk/platform/SettingsStore.h
  src/velk/platform/SettingsTree.cpp
  src/velk/platform/SettingsTree.h
  src/velk/platform/SymbolFont.cpp
  src/velk/platform/SymbolFont_p.h
  src/velk/platform/SystemColors.cpp
  src/velk/platform/SystemColors.h
)

# The JPEG codec seam decodes and encodes through libjpeg-turbo.
find_package(JPEG REQUIRED)
target_sources(velkgui PRIVATE
  src/velk/platform/JpegCodec.cpp
  src/velk/platform/JpegCodec.h
)
target_link_libraries(velkgui PRIVATE JPEG::JPEG)
