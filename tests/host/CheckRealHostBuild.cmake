# cmake -DSOURCE_DIR=<repo> -DWORK_DIR=<scratch> -DQT5_DIR=<Qt5 cmake dir> -DQT_VERSION=<x.y.z>
#       -DTOOLCHAIN=<FakeMsvcToolchain.cmake> -P CheckRealHostBuild.cmake
#
# Configures and generates the real-host build (COLORDORVO_MAX_SDK_DIR) for MSVC against a fake
# SDK folder made from the stand-in's headers and empty import libraries, then checks what the
# generated build would do: link the .def file, the string table and the six SDK libraries
# into ColorDorvoPicker.dlu with the DLL runtime, and nothing of the stand-in. Then, for every
# host of the build table, that the table picks the SDK, Qt and toolset the host's reference
# gives, and that the build configures for each host whose Qt is a Qt 5.
foreach(var SOURCE_DIR WORK_DIR QT5_DIR QT_VERSION TOOLCHAIN)
  if(NOT ${var})
    message(FATAL_ERROR "${var} not given")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK_DIR})
set(libraries core maxutil geom gup paramblk2 maxscrpt)
# A fake SDK folder of the given host year: the stand-in's headers, the year written into
# maxversion.h as the real SDK has it, and empty import libraries.
function(fake_sdk year)
  set(dir ${WORK_DIR}/sdk${year}/maxsdk)
  file(COPY ${SOURCE_DIR}/hostsdk/include DESTINATION ${dir})
  file(READ ${dir}/include/maxversion.h text)
  string(REGEX REPLACE "#define MAX_PRODUCT_YEAR_NUMBER [^\n]*"
         "#define MAX_PRODUCT_YEAR_NUMBER ${year}" text "${text}")
  file(WRITE ${dir}/include/maxversion.h "${text}")
  foreach(name ${libraries})
    file(WRITE ${dir}/lib/x64/Release/${name}.lib "")
  endforeach()
endfunction()
foreach(year RANGE 2020 2026)
  fake_sdk(${year})
endforeach()
set(sdk ${WORK_DIR}/sdk2020/maxsdk)

function(configure_real_host build_dir qt_version result_var output_var)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${build_dir} -G Ninja
            -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DCOLORDORVO_MAX_SDK_DIR=${sdk}
            -DQt5_DIR=${QT5_DIR} -DCOLORDORVO_HOST_QT_VERSION=${qt_version} ${ARGN}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  # CMake wraps its messages to fit the paths in them: the checks read the words, not the lines.
  string(REGEX REPLACE "[ \t\r\n]+" " " output "${output}")
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

# Every host of the table, as the "SDK Requirements" pages give it: the SDKs it takes, its Qt and
# the toolset it was built with (2026: "What's New: 3ds Max 2026 SDK", 2025's environment).
set(table
  "2020|2020|5.11.2|141" "2021|2020 or 2021|5.12.5|141" "2022|2022|5.15.1|141"
  "2023|2023|5.15.1|142" "2024|2024|5.15.1|142" "2025|2025|6.5.3|143" "2026|2026|6.5.3|143")
foreach(row IN LISTS table)
  string(REPLACE "|" ";" row "${row}")
  list(GET row 0 year)
  list(GET row 1 sdks)
  list(GET row 2 qt)
  list(GET row 3 toolset)
  string(REGEX MATCH "^[0-9]+" sdk_year "${sdks}")
  set(sdk ${WORK_DIR}/sdk${sdk_year}/maxsdk)
  set(versions -DCOLORDORVO_MAX_VERSION=${year} -DFAKE_MSVC_TOOLSET=${toolset})
  configure_real_host(${WORK_DIR}/table${year} "" result output ${versions}
                      -DCOLORDORVO_MAX_TABLE_ONLY=ON)
  string(REPLACE "." "\\." qt_pattern "${qt}")
  string(JOIN ", " row_pattern "3ds Max ${year}: SDK ${sdks}" "Qt ${qt_pattern} \\([^)]*\\)"
         "Visual Studio [0-9]+ toolset v${toolset}" "libraries ${libraries}"
         "module ColorDorvoPicker\\.dlu")
  string(REPLACE ";" " " row_pattern "${row_pattern}")
  if(NOT result EQUAL 0 OR NOT output MATCHES "${row_pattern}")
    list(APPEND faults "3ds Max ${year}: not SDK ${sdks}, Qt ${qt}, v${toolset}:\n${output}")
  endif()
  configure_real_host(${WORK_DIR}/build${year} ${QT_VERSION} result output ${versions})
  if(qt VERSION_LESS 6)
    if(NOT result EQUAL 0 OR NOT EXISTS ${WORK_DIR}/build${year}/build.ninja)
      list(APPEND faults "3ds Max ${year}: the real-host build does not configure:\n${output}")
    elseif(output MATCHES "built with toolset")
      list(APPEND faults "3ds Max ${year}: a warning about its own toolset v${toolset}:\n${output}")
    endif()
  elseif(result EQUAL 0 OR NOT output MATCHES "${year} loads Qt ${qt_pattern};[ \n]+the plug-in")
    # The Qt 6 hosts: the plug-in's Qt 6 build is not in place, and the build says so.
    list(APPEND faults "3ds Max ${year}: the build does not stop at its Qt 6:\n${output}")
  endif()
endforeach()
# A 2024 SDK whose picker calls already take the ColorContext can say so to the seam.
file(READ ${WORK_DIR}/build2024/build.ninja ninja_2024)
set(sdk ${WORK_DIR}/sdk2024/maxsdk)
configure_real_host(${WORK_DIR}/context ${QT_VERSION} result output -DCOLORDORVO_MAX_VERSION=2024
                    -DFAKE_MSVC_TOOLSET=142 -DCOLORDORVO_SDK_COLOR_CONTEXT=ON)
file(READ ${WORK_DIR}/context/build.ninja ninja_context)
if(ninja_2024 MATCHES "COLORDORVO_SDK_COLOR_CONTEXT"
   OR NOT ninja_context MATCHES "-DCOLORDORVO_SDK_COLOR_CONTEXT=1")
  list(APPEND faults "COLORDORVO_SDK_COLOR_CONTEXT not passed to the seam as asked")
endif()
# Another toolset than the host's is warned about; an SDK of another host is refused.
set(sdk ${WORK_DIR}/sdk2023/maxsdk)
configure_real_host(${WORK_DIR}/toolset ${QT_VERSION} result output -DCOLORDORVO_MAX_VERSION=2023)
if(NOT output MATCHES "3ds Max 2023 plug-ins are built with toolset v142;[ \n]+this is v141")
  list(APPEND faults "toolset v141 for 3ds Max 2023 not warned about:\n${output}")
endif()
set(sdk ${WORK_DIR}/sdk2024/maxsdk)
configure_real_host(${WORK_DIR}/wrong-sdk "" result output -DCOLORDORVO_MAX_VERSION=2025
                    -DCOLORDORVO_MAX_TABLE_ONLY=ON)
if(result EQUAL 0 OR NOT output MATCHES "SDK of 3ds Max[ \n]+'2024'")
  list(APPEND faults "the 2024 SDK accepted for 3ds Max 2025:\n${output}")
endif()
if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "the build table is wrong:\n  ${text}")
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
