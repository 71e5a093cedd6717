target_sources(velkgui PRIVATE
  src/velk/platform/Canvas.cpp
  src/velk/platform/Canvas.h
  src/velk/platform/ControlFactory.cpp
  src/velk/platform/ControlFactory.h
  src/velk/platform/Input.cpp
  src/velk/platform/Input.h
  src/velk/platform/PictureBox.cpp
  src/velk/platform/PictureBox.h
  src/velk/platform/Screen.cpp
  src/velk/platform/Screen.h
  src/velk/platform/ScriptedScreen.cpp
  src/velk/platform/ScriptedScreen.h
  src/velk/platform/SymbolFont.cpp
  src/velk/platform/SymbolFont_p.h
  src/velk/platform/SystemColors.cpp
  src/velk/platform/SystemColors.h
)
