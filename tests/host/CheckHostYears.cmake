# cmake -DCOMPILE_COMMANDS=<build>/compile_commands.json -DPLUGIN_DIR=<plugin/> -DYEAR=<2020..2026>
#       -DWORK_DIR=<scratch> -P CheckHostYears.cmake
#
# The plug-in, unchanged but for its seam, compiles against the SDK of every host from 3ds Max
# 2020 to 2026. The stand-in SDK declares each year's classes (HOSTSDK_YEAR); this compiles, with
# -fsyntax-only and the build's own command lines, what sees the declarations that changed: every
# header of host/ (entry points, descriptors, the color selector, the utility and the host
# services, but for the script seam, which sees none of them) with the dialog's, which is the
# host's ColorPicker, in one unit; and the two units that define the picker's overrides.
cmake_minimum_required(VERSION 3.16)
foreach(var COMPILE_COMMANDS PLUGIN_DIR YEAR WORK_DIR)
  if(NOT ${var})
    message(FATAL_ERROR "${var} not given")
  endif()
endforeach()

set(unit_files host/ColorDorvoPicker.cpp dialog/ColorDorvoDialog.cpp)
file(GLOB_RECURSE headers RELATIVE ${PLUGIN_DIR} ${PLUGIN_DIR}/host/*.h)
list(REMOVE_ITEM headers host/services/ScriptServices.h)
list(APPEND headers dialog/ColorDorvoDialog.h)
set(headers_unit ${WORK_DIR}/HostHeaders${YEAR}.cpp)
set(text "")
foreach(header IN LISTS headers)
  string(APPEND text "#include \"${header}\"\n")
endforeach()
file(WRITE ${headers_unit} "${text}")

# The build's command lines of the two units, less their output and source; the headers' unit
# takes the picker's.
file(READ ${COMPILE_COMMANDS} commands)
string(JSON count LENGTH "${commands}")
math(EXPR last "${count} - 1")
set(found "")
foreach(i RANGE ${last})
  string(JSON file GET "${commands}" ${i} file)
  file(RELATIVE_PATH rel ${PLUGIN_DIR} ${file})
  string(JSON command GET "${commands}" ${i} command)
  if(NOT rel IN_LIST unit_files OR NOT command MATCHES "/colordorvo\\.dir/")
    continue()
  endif()
  string(JSON dir_of_${rel} GET "${commands}" ${i} directory)
  separate_arguments(args UNIX_COMMAND "${command}")
  list(FIND args -o output)
  list(REMOVE_AT args ${output} ${output})
  list(REMOVE_ITEM args -c ${file})
  set(args_of_${rel} "${args}")
  set(source_of_${rel} ${file})
  list(APPEND found ${rel})
endforeach()
foreach(rel IN LISTS unit_files)
  if(NOT rel IN_LIST found)
    message(FATAL_ERROR "${COMPILE_COMMANDS} has no command for the plug-in's ${rel}")
  endif()
endforeach()
set(headers_rel "the headers of host/")
set(args_of_${headers_rel} "${args_of_host/ColorDorvoPicker.cpp}")
set(dir_of_${headers_rel} "${dir_of_host/ColorDorvoPicker.cpp}")
set(source_of_${headers_rel} ${headers_unit})

set(faults "")
foreach(what IN LISTS unit_files headers_rel)
  execute_process(
    COMMAND ${args_of_${what}} -fsyntax-only -UHOSTSDK_YEAR -DHOSTSDK_YEAR=${YEAR}
            ${source_of_${what}}
    WORKING_DIRECTORY ${dir_of_${what}} RESULT_VARIABLE result OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    list(APPEND faults "${what}:\n${output}")
  endif()
endforeach()
if(faults)
  list(JOIN faults "\n" text)
  message(FATAL_ERROR "against the SDK of 3ds Max ${YEAR}:\n${text}")
endif()
list(LENGTH headers count)
list(JOIN unit_files ", " units)
message(STATUS "${units} and ${count} headers compile against the SDK of 3ds Max ${YEAR}")
