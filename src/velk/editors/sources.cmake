target_sources(velkgui PRIVATE
  src/velk/editors/BoardData.cpp
  src/velk/editors/BoardData.h
  src/velk/editors/BoardIndex.cpp
  src/velk/editors/BoardIndex_p.h
  src/velk/editors/BoardInput.cpp
  src/velk/editors/BoardInput_p.h
  src/velk/editors/BoardLayout.cpp
  src/velk/editors/BoardLayout_p.h
  src/velk/editors/BoardLink.cpp
  src/velk/editors/BoardLink.h
  src/velk/editors/BoardModel.cpp
  src/velk/editors/BoardModel_p.h
  src/velk/editors/BoardPainter.cpp
  src/velk/editors/BoardPainter_p.h
  src/velk/editors/BoardValues.cpp
  src/velk/editors/BoardValues_p.h
  src/velk/editors/velkBoard.cpp
  src/velk/editors/velkBoard.h
  src/velk/editors/velkConnector.cpp
  src/velk/editors/velkConnector.h
)
target_sources(velkgui PRIVATE
  src/velk/editors/RightsRules.cpp
  src/velk/editors/RightsRules_p.h
  src/velk/editors/velkRights.cpp
  src/velk/editors/velkRights.h
)
