target_sources(velkgui PRIVATE
  src/velk/menu/MenuLayout.cpp
  src/velk/menu/MenuLayout.h
  src/velk/menu/MenuModel.cpp
  src/velk/menu/MenuModel.h
)
