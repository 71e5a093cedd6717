target_sources(velkgui PRIVATE
  src/velk/common/ImageServices.cpp
  src/velk/common/ImageServices.h
)
