target_sources(velkgui PRIVATE
  src/velk/editors/ActionString.cpp
  src/velk/editors/ActionString_p.h
  src/velk/editors/EvalCondition.cpp
  src/velk/editors/EvalCondition_p.h
  src/velk/editors/EvalPainter.cpp
  src/velk/editors/EvalPainter_p.h
  src/velk/editors/UmfangRule.cpp
  src/velk/editors/UmfangRule_p.h
  src/velk/editors/velkAction.cpp
  src/velk/editors/velkAction.h
  src/velk/editors/velkEval.cpp
  src/velk/editors/velkEval.h
  src/velk/editors/velkUmfang.cpp
  src/velk/editors/velkUmfang.h
  src/velk/editors/velkUmfangForm.cpp
  src/velk/editors/velkUmfangForm.h
)
