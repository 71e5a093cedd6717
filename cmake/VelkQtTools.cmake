# Qt's UiTools and Designer modules for the programs that load .ui forms (tests, gallery).
# Their CMake packages also ask for the OpenGL development files; where those are missing,
# the installed libraries and headers are used directly. Sets <module>_FOUND-like targets
# Qt6::UiTools / Qt6::Designer when the libraries exist.
function(velk_find_qt_tools)
  find_package(Qt6 QUIET COMPONENTS ${ARGN})
  foreach(module IN LISTS ARGN)
    if(TARGET Qt6::${module})
      continue()
    endif()
    find_library(VELK_QT6_${module}_LIBRARY Qt6${module})
    if(NOT VELK_QT6_${module}_LIBRARY)
      continue()
    endif()
    add_library(Qt6::${module} UNKNOWN IMPORTED GLOBAL)
    set_target_properties(Qt6::${module} PROPERTIES
      IMPORTED_LOCATION ${VELK_QT6_${module}_LIBRARY}
      INTERFACE_INCLUDE_DIRECTORIES "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_HEADERS};${QT6_INSTALL_PREFIX}/${QT6_INSTALL_HEADERS}/Qt${module}")
  endforeach()
endfunction()
