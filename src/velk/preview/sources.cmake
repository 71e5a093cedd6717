target_sources(velkgui PRIVATE
  src/velk/preview/PageDocument.cpp
  src/velk/preview/PageFormula.cpp
  src/velk/preview/PagePrint.cpp
  src/velk/preview/PagePrint.h
  src/velk/preview/PageRenderer.cpp
  src/velk/preview/PageScript_p.h
  src/velk/preview/PageText.cpp
  src/velk/preview/PageText.h
  src/velk/preview/PreView.cpp
  src/velk/preview/PreView.h
  src/velk/preview/SheetPageText.cpp
  src/velk/preview/SheetPrint.cpp
  src/velk/preview/SheetPrint_p.h
  src/velk/preview/velkPreView.cpp
  src/velk/preview/velkPreView.h
)
