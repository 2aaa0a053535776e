# cmake -DSOURCE_DIR=<repo> -DWORK_DIR=<scratch> -DQT5_DIR=<Qt5 cmake dir> -DQT_VERSION=<x.y.z>
#       -DTOOLCHAIN=<FakeMsvcToolchain.cmake> -P CheckRealHostBuild.cmake
#
# Configures and generates the real-host build (COLORDORVO_MAX_SDK_DIR) for MSVC against a fake
# SDK folder made from the stand-in's headers and empty import libraries, then checks what the
# generated build would do: link the .def file, the string table and the six SDK libraries
# into ColorDorvoPicker.dlu with the DLL runtime, and nothing of the stand-in.
foreach(var SOURCE_DIR WORK_DIR QT5_DIR QT_VERSION TOOLCHAIN)
  if(NOT ${var})
    message(FATAL_ERROR "${var} not given")
  endif()
endforeach()

set(sdk ${WORK_DIR}/maxsdk)
file(REMOVE_RECURSE ${WORK_DIR})
file(COPY ${SOURCE_DIR}/hostsdk/include DESTINATION ${sdk})
set(libraries core maxutil geom gup paramblk2 maxscrpt)
foreach(name ${libraries})
  file(WRITE ${sdk}/lib/x64/Release/${name}.lib "")
endforeach()

function(configure_real_host build_dir qt_version result_var output_var)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${build_dir} -G Ninja
            -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DCOLORDORVO_MAX_SDK_DIR=${sdk}
            -DQt5_DIR=${QT5_DIR} -DCOLORDORVO_HOST_QT_VERSION=${qt_version} ${ARGN}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  set(${result_var} ${result} PARENT_SCOPE)
  set(${output_var} "${output}" PARENT_SCOPE)
endfunction()

# Against another Qt than the host's, the build refuses to configure.
configure_real_host(${WORK_DIR}/wrong-qt 5.11.2 result output)
if(QT_VERSION VERSION_EQUAL 5.11.2)
  message(STATUS "this machine's Qt is the host's; the wrong-Qt check is skipped")
elseif(result EQUAL 0 OR NOT output MATCHES "loads Qt 5.11.2")
  message(FATAL_ERROR "a Qt other than the host's was accepted:\n${output}")
endif()

configure_real_host(${WORK_DIR}/build ${QT_VERSION} result output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the real-host build does not configure:\n${output}")
endif()
file(READ ${WORK_DIR}/build/build.ninja ninja)

set(faults "")
macro(expect pattern what)
  if(NOT ninja MATCHES "${pattern}")
    list(APPEND faults "missing: ${what}")
  endif()
endmacro()
macro(refuse pattern what)
  if(ninja MATCHES "${pattern}")
    list(APPEND faults "unexpected: ${what}")
  endif()
endmacro()
expect("ColorDorvoPicker\\.dlu" "the module ColorDorvoPicker.dlu")
expect("/DEF:[^ \n]*plugin/host/ColorDorvoPicker\\.def" "the .def file at link time")
expect("ColorDorvoPicker\\.rc" "the string table")
expect("[-/]MD[ \n]" "the DLL runtime (/MD)")
expect("-DUNICODE" "Unicode")
expect("-D_UNICODE" "Unicode (C runtime)")
expect("Qt5Widgets" "Qt Widgets")
foreach(name ${libraries})
  expect("maxsdk/lib/x64/Release/${name}\\.lib" "${name}.lib")
endforeach()
expect("-I[^ \n]*maxsdk/include" "the SDK's include folder")
refuse("Qt5Svg" "Qt Svg")
refuse("Qt5Test" "Qt Test")
refuse("libhostsdk|colordorvo-host|tst_" "the stand-in, its host or the tests")
refuse("hostsdk/include" "the stand-in's include folder")
expect("[-/]W4[ \n]" "all of MSVC's usual warnings (/W4)")
# A first build is not stopped by a warning; /WX is the builder's to ask for.
refuse("[-/]WX[ \n]" "warnings as errors without COLORDORVO_WERROR=ON")
configure_real_host(${WORK_DIR}/build-wx ${QT_VERSION} result output -DCOLORDORVO_WERROR=ON)
file(READ ${WORK_DIR}/build-wx/build.ninja ninja_wx)
if(NOT result EQUAL 0 OR NOT ninja_wx MATCHES "[-/]WX[ \n]")
  list(APPEND faults "missing: /WX with COLORDORVO_WERROR=ON")
endif()
if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "the generated real-host build is wrong:\n  ${text}")
endif()

# The string table says what the stand-in host's language pack says.
file(READ ${SOURCE_DIR}/hostapp/langpack/ColorDorvoPicker.dlu.json langpack)
file(STRINGS ${SOURCE_DIR}/plugin/host/ColorDorvoPicker.rc rc_lines REGEX "^[ \t]*[0-9]+[ \t]+\"")
set(rc_ids "")
foreach(line IN LISTS rc_lines)
  string(REGEX MATCH "^[ \t]*([0-9]+)[ \t]+\"(.*)\"[ \t]*$" _ "${line}")
  set(id ${CMAKE_MATCH_1})
  set(text "${CMAKE_MATCH_2}")
  string(JSON pack_text ERROR_VARIABLE json_error GET "${langpack}" "${id}")
  if(json_error OR NOT pack_text STREQUAL text)
    message(FATAL_ERROR "string ${id}: the table says '${text}', the language pack '${pack_text}'")
  endif()
  list(APPEND rc_ids ${id})
endforeach()
string(JSON pack_count LENGTH "${langpack}")
list(LENGTH rc_ids rc_count)
if(NOT rc_count EQUAL pack_count)
  message(FATAL_ERROR "the string table has ${rc_count} strings, the language pack ${pack_count}")
endif()
message(STATUS "the real-host build configures and generates as it should")
