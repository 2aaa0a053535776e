# cmake -DPLUGIN_DIR=<plugin/> -P CheckViewLayers.cmake
#
# The views (fields/, swatches/) talk to the dialog through its services interface and are
# created by it: they never include a header of the dialog or the settings dialog. The color
# model below them includes nothing of the plug-in's widgets.
set(rules
  "fields|dialog/|settings/"
  "swatches|dialog/|settings/"
  "color|dialog/|settings/|fields/|swatches/|host/")
set(faults "")
foreach(rule IN LISTS rules)
  string(REPLACE "|" ";" parts "${rule}")
  list(GET parts 0 folder)
  list(REMOVE_AT parts 0)
  file(GLOB_RECURSE sources "${PLUGIN_DIR}/${folder}/*.h" "${PLUGIN_DIR}/${folder}/*.cpp")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
      foreach(upper IN LISTS parts)
        if(line MATCHES "\"${upper}")
          file(RELATIVE_PATH rel "${PLUGIN_DIR}" "${source}")
          list(APPEND faults "${rel}: ${line}")
        endif()
      endforeach()
    endforeach()
  endforeach()
endforeach()
if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "a lower folder includes a higher one:\n  ${text}")
endif()
message(STATUS "views and the color model include nothing above them")
