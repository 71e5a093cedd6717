target_sources(velkgui PRIVATE
  src/velk/controls/FramePainter.cpp
  src/velk/controls/FramePainter_p.h
  src/velk/controls/ControlPainting_p.h
  src/velk/controls/HoverTracker_p.h
  src/velk/controls/velkButton.cpp
  src/velk/controls/velkButton.h
  src/velk/controls/velkIcon.cpp
  src/velk/controls/velkIcon.h
  src/velk/controls/velkLabel.cpp
  src/velk/controls/velkLabel.h
)

# The icon pictures: every name of data/icons/icon-map.txt becomes :/velk/icons/<name>.png,
# taken from the installed Tango theme or from our own drawings.
set(VELK_ICON_THEME_DIR /usr/share/icons/Tango/16x16 CACHE PATH "16x16 folder of the Tango icon theme")
set(_velk_icon_map ${PROJECT_SOURCE_DIR}/data/icons/icon-map.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_velk_icon_map})
file(STRINGS ${_velk_icon_map} _velk_icon_lines REGEX "^[a-z]")
set(_velk_icon_qrc "<RCC>\n  <qresource prefix=\"/velk/icons\">\n")
foreach(_line IN LISTS _velk_icon_lines)
  if(NOT _line MATCHES "^([a-z]+)[ \t]+(theme|drawn):([^ \t]+)")
    message(FATAL_ERROR "icon-map.txt: cannot read line '${_line}'")
  endif()
  set(_name ${CMAKE_MATCH_1})
  if(CMAKE_MATCH_2 STREQUAL "theme")
    set(_file ${VELK_ICON_THEME_DIR}/${CMAKE_MATCH_3})
  else()
    set(_file ${PROJECT_SOURCE_DIR}/data/icons/drawn/${CMAKE_MATCH_3})
  endif()
  if(NOT EXISTS ${_file})
    message(FATAL_ERROR "icon '${_name}': ${_file} is missing (install tango-icon-theme or set VELK_ICON_THEME_DIR)")
  endif()
  string(APPEND _velk_icon_qrc "    <file alias=\"${_name}.png\">${_file}</file>\n")
endforeach()
string(APPEND _velk_icon_qrc "  </qresource>\n</RCC>\n")
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/velk_icons.qrc CONTENT "${_velk_icon_qrc}" @ONLY)
qt_add_resources(_velk_icon_sources ${PROJECT_BINARY_DIR}/velk_icons.qrc)
target_sources(velkgui PRIVATE ${_velk_icon_sources})
