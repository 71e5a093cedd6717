target_sources(velkgui PRIVATE
  src/velk/menu/MenuBarPainter.cpp
  src/velk/menu/MenuBarPainter_p.h
  src/velk/menu/MenuField.cpp
  src/velk/menu/MenuField_p.h
  src/velk/menu/MenuLayout.cpp
  src/velk/menu/MenuLayout_p.h
  src/velk/menu/MenuModel.cpp
  src/velk/menu/MenuModel_p.h
  src/velk/menu/PopupLayout.cpp
  src/velk/menu/PopupLayout_p.h
  src/velk/menu/velkMenuBar.cpp
  src/velk/menu/velkMenuBar.h
  src/velk/menu/velkMenuBar_p.h
  src/velk/menu/velkMenuPopup.cpp
  src/velk/menu/velkMenuPopup.h
  src/velk/menu/velkMenuPopup_p.h
)
