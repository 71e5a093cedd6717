target_sources(velkgui PRIVATE
  src/velk/frame/FrameRect.h
  src/velk/frame/FrameSizes.cpp
  src/velk/frame/FrameSizes.h
)
