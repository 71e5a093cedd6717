target_sources(velkgui PRIVATE
  src/velk/platform/Canvas.h
  src/velk/platform/ControlFactory.cpp
  src/velk/platform/ControlFactory.h
  src/velk/platform/Input.h
  src/velk/platform/Screen.h
)
