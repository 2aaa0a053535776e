# cmake -DDEF=<.def> -DMAP=<version script> -DMODULE=<built module> -DNM=<nm> -P CheckModuleExports.cmake
#
# The module's exports are listed twice, for two linkers: the Windows .def file (names and the
# ordinals the host knows them by) and the GNU version script. Both lists, and what the built
# Linux module really exports, must name the same functions. The DLL entry point is the one
# difference: the Windows loader finds it without an export, the stand-in's loader by name.
foreach(var DEF MAP MODULE NM)
  if(NOT ${var})
    message(FATAL_ERROR "${var} not given")
  endif()
endforeach()

# The ordinals the host's loader knows the module's functions by.
set(expected_ordinals
  "LibDescription@1" "LibNumberClasses@2" "LibClassDesc@3" "LibVersion@4"
  "LibInitialize@6" "LibShutdown@7")

file(STRINGS "${DEF}" def_lines)
set(section "")
set(def_names "")
set(def_ordinals "")
foreach(line IN LISTS def_lines)
  string(REGEX REPLACE ";.*$" "" line "${line}")
  string(STRIP "${line}" line)
  if(line STREQUAL "")
    continue()
  endif()
  if(line MATCHES "^(LIBRARY|EXPORTS|SECTIONS)( |$)")
    set(section "${CMAKE_MATCH_1}")
    if(section STREQUAL "LIBRARY" AND NOT line STREQUAL "LIBRARY ColorDorvoPicker.dlu")
      message(FATAL_ERROR "${DEF}: expected 'LIBRARY ColorDorvoPicker.dlu', found '${line}'")
    endif()
    continue()
  endif()
  if(section STREQUAL "EXPORTS")
    if(NOT line MATCHES "^([A-Za-z_][A-Za-z0-9_]*)[ \t]+@([0-9]+)$")
      message(FATAL_ERROR "${DEF}: export without an ordinal: '${line}'")
    endif()
    list(APPEND def_names "${CMAKE_MATCH_1}")
    list(APPEND def_ordinals "${CMAKE_MATCH_1}@${CMAKE_MATCH_2}")
  endif()
endforeach()
if(NOT def_ordinals STREQUAL expected_ordinals)
  message(FATAL_ERROR "${DEF}: exports ${def_ordinals}, expected ${expected_ordinals}")
endif()

file(READ "${MAP}" map_text)
string(REGEX REPLACE "/\\*([^*]|\\*[^/])*\\*/" "" map_text "${map_text}")
if(NOT map_text MATCHES "global:([^}]*)local:[ \t\n]*\\*;")
  message(FATAL_ERROR "${MAP}: no 'global: ... local: *;' block")
endif()
string(REGEX MATCHALL "[A-Za-z_][A-Za-z0-9_]*" map_names "${CMAKE_MATCH_1}")

set(windows_names ${def_names} DllMain)
list(SORT windows_names)
list(SORT map_names)
if(NOT windows_names STREQUAL map_names)
  message(FATAL_ERROR "${DEF} and ${MAP} disagree: ${windows_names} vs ${map_names}")
endif()

execute_process(COMMAND "${NM}" -D --defined-only "${MODULE}"
  OUTPUT_VARIABLE nm_out RESULT_VARIABLE nm_result)
if(NOT nm_result EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${MODULE}")
endif()
string(REGEX MATCHALL "[0-9a-f]+ [TtWwDdBbRrVviu] [^\n]+" symbols "${nm_out}")
set(exported "")
foreach(symbol IN LISTS symbols)
  string(REGEX REPLACE "^[0-9a-f]+ [A-Za-z] " "" name "${symbol}")
  # The version node's own marker is no function.
  if(NOT name MATCHES "@")
    list(APPEND exported "${name}")
  endif()
endforeach()
list(SORT exported)
if(NOT exported STREQUAL map_names)
  message(FATAL_ERROR "${MODULE} exports ${exported}, the lists say ${map_names}")
endif()
message(STATUS "exports agree: ${def_ordinals} and DllMain")
