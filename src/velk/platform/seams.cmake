# The dialogs seam and the settings store.
target_sources(velkgui PRIVATE
  src/velk/platform/Dialogs.cpp
  src/velk/platform/Dialogs.h
  src/velk/platform/QtDialogs.cpp
  src/velk/platform/QtDialogs.h
  src/velk/platform/ScriptedDialogs.cpp
  src/velk/platform/ScriptedDialogs.h
  src/velk/platform/SettingsStore.cpp
  src/velk/platform/SettingsStore.h
  src/velk/platform/SettingsTree.cpp
  src/velk/platform/SettingsTree.h
)
