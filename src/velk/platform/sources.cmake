target_sources(velkgui PRIVATE
  src/velk/platform/Canvas.cpp
  src/velk/platform/Canvas.h
  src/velk/platform/DesignMode.cpp
  src/velk/platform/DesignMode.h
  src/velk/platform/ControlFactory.cpp
  src/velk/platform/ControlFactory.h
  src/velk/platform/DataConnection.cpp
  src/velk/platform/DataConnection.h
  src/velk/platform/DataRecordset.cpp
  src/velk/platform/DataRecordset.h
  src/velk/platform/DataRecordset_p.h
  src/velk/platform/DataSource_p.h
  src/velk/platform/DataValues.cpp
  src/velk/platform/Dialogs.cpp
  src/velk/platform/DragDrop.cpp
  src/velk/platform/DragDrop.h
  src/velk/platform/Dialogs.h
  src/velk/platform/Input.cpp
  src/velk/platform/Input.h
  src/velk/platform/MemoryRecords.cpp
  src/velk/platform/PictureBox.cpp
  src/velk/platform/PictureBox.h
  src/velk/platform/PropertyBag.cpp
  src/velk/platform/PropertyBag.h
  src/velk/platform/Printer.cpp
  src/velk/platform/Printer.h
  src/velk/platform/QtDialogs.cpp
  src/velk/platform/QtSqlBackend.cpp
  src/velk/platform/QtDialogs.h
  src/velk/platform/Screen.cpp
  src/velk/platform/Screen.h
  src/velk/platform/ScriptedDialogs.cpp
  src/velk/platform/ScriptedDialogs.h
  src/velk/platform/ScriptedScreen.cpp
  src/velk/platform/ScriptedScreen.h
  src/velk/platform/SettingsStore.cpp
  src/velk/platform/SettingsStore.h
  src/velk/platform/SettingsTree.cpp
  src/velk/platform/SettingsTree_p.h
  src/velk/platform/SqlDialect.cpp
  src/velk/platform/SqlDialect_p.h
  src/velk/platform/SqliteBackend.cpp
  src/velk/platform/SymbolFont.cpp
  src/velk/platform/SymbolFont_p.h
  src/velk/platform/SystemColors.cpp
  src/velk/platform/SystemColors.h
  src/velk/platform/Units.h
)

# Data access: SQLite through its C API; server databases through Qt SQL's drivers.
find_package(SQLite3 REQUIRED)
target_link_libraries(velkgui PRIVATE SQLite::SQLite3 Qt6::Sql)
# The JPEG codec seam decodes and encodes through libjpeg-turbo.
find_package(JPEG REQUIRED)
target_sources(velkgui PRIVATE
  src/velk/platform/JpegCodec.cpp
  src/velk/platform/JpegCodec.h
)
target_link_libraries(velkgui PRIVATE JPEG::JPEG)
