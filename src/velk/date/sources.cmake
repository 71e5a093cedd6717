target_sources(velkgui PRIVATE
  src/velk/date/CalendarPaint_p.h
  src/velk/date/DateForm.cpp
  src/velk/date/DateForm.h
  src/velk/date/DateRange.cpp
  src/velk/date/DateRange.h
  src/velk/date/DateSelectorModel.cpp
  src/velk/date/DateSelectorModel.h
  src/velk/date/DateText.cpp
  src/velk/date/DateText_p.h
  src/velk/date/velkDate.cpp
  src/velk/date/velkDate.h
  src/velk/date/velkDateControl.cpp
  src/velk/date/velkDateControl.h
  src/velk/date/velkDateSelector.cpp
  src/velk/date/velkDateSelector.h
)
