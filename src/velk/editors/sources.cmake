target_sources(velkgui PRIVATE
  src/velk/editors/FileListing.cpp
  src/velk/editors/FileListing_p.h
  src/velk/editors/StdSelectPath.cpp
  src/velk/editors/StdSelectPath.h
  src/velk/editors/sources.cmake
  src/velk/editors/velkFileSelect.cpp
  src/velk/editors/velkFileSelect.h
)
