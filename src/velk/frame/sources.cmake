target_sources(velkgui PRIVATE
  src/velk/frame/FrameBuilder.cpp
  src/velk/frame/FrameBuilder_p.h
  src/velk/frame/FrameClass.cpp
  src/velk/frame/FrameClass_p.h
  src/velk/frame/FrameLayout.cpp
  src/velk/frame/FrameLayout_p.h
  src/velk/frame/FrameRect_p.h
  src/velk/frame/FrameSizes.cpp
  src/velk/frame/FrameSizes_p.h
  src/velk/frame/FrameSurface.cpp
  src/velk/frame/FrameSurface_p.h
  src/velk/frame/FrameTabBars.cpp
  src/velk/frame/FrameTabBars_p.h
  src/velk/frame/FrameTags_p.h
  src/velk/frame/velkFrameControl.cpp
  src/velk/frame/velkFrameControl.h
)
target_sources(velkgui PRIVATE
  src/velk/frame/PicAreas.cpp
  src/velk/frame/PicAreas_p.h
  src/velk/frame/velkPicScroll.cpp
  src/velk/frame/velkPicScroll.h
  src/velk/frame/velkSplitter.cpp
  src/velk/frame/velkSplitter.h
)
