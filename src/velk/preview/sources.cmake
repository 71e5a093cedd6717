target_sources(velkgui PRIVATE
  src/velk/preview/velkJPG.cpp
  src/velk/preview/velkJPG_p.h
  src/velk/preview/velkScala.cpp
  src/velk/preview/velkScala.h
)
