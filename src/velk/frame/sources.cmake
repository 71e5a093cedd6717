target_sources(velkgui PRIVATE
  src/velk/frame/FrameClass.cpp
  src/velk/frame/FrameClass.h
  src/velk/frame/FrameLayout.cpp
  src/velk/frame/FrameLayout.h
  src/velk/frame/FrameRect.h
  src/velk/frame/FrameSizes.cpp
  src/velk/frame/FrameSizes.h
  src/velk/frame/FrameSurface.cpp
  src/velk/frame/FrameSurface.h
  src/velk/frame/velkFrameControl.cpp
  src/velk/frame/velkFrameControl.h
)
