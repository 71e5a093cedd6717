target_sources(velkgui PRIVATE
  src/velk/views/ChartLayout.cpp
  src/velk/views/ChartLayout_p.h
  src/velk/views/ChartModel.cpp
  src/velk/views/ChartModel_p.h
  src/velk/views/ChartPainter.cpp
  src/velk/views/ChartPainter_p.h
  src/velk/views/DBViewQuery.cpp
  src/velk/views/DBViewQuery_p.h
  src/velk/views/velkDBView.cpp
  src/velk/views/velkDBView.h
  src/velk/views/velkDBView_p.h
  src/velk/views/velkChart.cpp
  src/velk/views/velkChart.h
  src/velk/views/velkChart_p.h
)
