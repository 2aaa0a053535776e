# The build table of the real-host build: for the 3ds Max version COLORDORVO_MAX_VERSION, the SDK
# it takes, the Qt it loads, the Visual Studio toolset it was built with, the SDK libraries the
# plug-in links and the module's name. The rows are the host's "SDK Requirements" pages (2022 and
# 2025 developer help; 2026 from "What's New: 3ds Max 2026 SDK", which keeps 2025's environment).
#
# Sets COLORDORVO_MAX_SDK_YEARS, COLORDORVO_MAX_QT_VERSION, COLORDORVO_MAX_QT_KIT (the Qt
# installer's name of the MSVC x64 build), COLORDORVO_MAX_TOOLSET, COLORDORVO_MAX_VISUAL_STUDIO,
# COLORDORVO_MAX_LIBRARIES and COLORDORVO_MAX_MODULE, and COLORDORVO_MAX_SDK_YEAR (the year of the
# SDK folder), which must be one of the SDKs the host takes. With COLORDORVO_MAX_TABLE_ONLY it
# prints the row and the caller stops there: no compiler, Qt or SDK library is looked for.

option(COLORDORVO_MAX_TABLE_ONLY "Print the chosen host's row of the build table and stop" OFF)

function(colordorvo_max_host_row)
  # host | SDKs it takes | Qt | Qt's kit for it | toolset | Visual Studio
  set(rows
    "2020|2020|5.11.2|msvc2017_64|141|2017"
    # 2021 is binary compatible with 2020: it takes modules built with the 2020 SDK.
    "2021|2020 2021|5.12.5|msvc2017_64|141|2017"
    "2022|2022|5.15.1|msvc2019_64|141|2017"
    "2023|2023|5.15.1|msvc2019_64|142|2019"
    "2024|2024|5.15.1|msvc2019_64|142|2019"
    "2025|2025|6.5.3|msvc2019_64|143|2022"
    "2026|2026|6.5.3|msvc2019_64|143|2022")
  set(row "")
  set(years "")
  foreach(candidate IN LISTS rows)
    string(REPLACE "|" ";" fields "${candidate}")
    list(GET fields 0 year)
    list(APPEND years ${year})
    if(year STREQUAL "${COLORDORVO_MAX_VERSION}")
      set(row "${fields}")
    endif()
  endforeach()
  if(NOT row)
    list(JOIN years ", " years)
    message(FATAL_ERROR "COLORDORVO_MAX_VERSION is '${COLORDORVO_MAX_VERSION}'; the build table "
      "has the hosts ${years}.")
  endif()
  list(GET row 1 sdk_years)
  string(REPLACE " " ";" COLORDORVO_MAX_SDK_YEARS "${sdk_years}")
  list(GET row 2 COLORDORVO_MAX_QT_VERSION)
  list(GET row 3 COLORDORVO_MAX_QT_KIT)
  list(GET row 4 COLORDORVO_MAX_TOOLSET)
  list(GET row 5 COLORDORVO_MAX_VISUAL_STUDIO)
  # The libraries behind what the plug-in calls, the same for every host of the table: core (core
  # interface, icons, the picker base), maxutil (debug output, host heap), geom (AColor), gup (the
  # utility base), paramblk2 (ClassDesc2) and maxscrpt (script values, the listener).
  set(COLORDORVO_MAX_LIBRARIES core maxutil geom gup paramblk2 maxscrpt)
  # The same name for every host: the .def file's LIBRARY line, the string table and the language
  # pack go by it, and each host loads its modules from its own folders.
  set(COLORDORVO_MAX_MODULE ColorDorvoPicker.dlu)

  # The SDK says which host it is for in maxversion.h (MAX_PRODUCT_YEAR_NUMBER); a module built
  # with the SDK of another host does not load.
  set(version_header ${COLORDORVO_MAX_SDK_DIR}/include/maxversion.h)
  if(NOT EXISTS ${version_header})
    message(FATAL_ERROR "${COLORDORVO_MAX_SDK_DIR} is no 3ds Max SDK folder: include/maxversion.h "
      "is missing")
  endif()
  file(STRINGS ${version_header} year_line
    REGEX "^[ \t]*#[ \t]*define[ \t]+MAX_PRODUCT_YEAR_NUMBER[ \t]")
  string(REGEX MATCH "[0-9]+[ \t]*$" COLORDORVO_MAX_SDK_YEAR "${year_line}")
  string(STRIP "${COLORDORVO_MAX_SDK_YEAR}" COLORDORVO_MAX_SDK_YEAR)
  if(NOT COLORDORVO_MAX_SDK_YEAR IN_LIST COLORDORVO_MAX_SDK_YEARS)
    list(JOIN COLORDORVO_MAX_SDK_YEARS " or " wanted)
    message(FATAL_ERROR "${COLORDORVO_MAX_SDK_DIR} is the SDK of 3ds Max "
      "'${COLORDORVO_MAX_SDK_YEAR}' (maxversion.h); 3ds Max ${COLORDORVO_MAX_VERSION} takes "
      "modules built with the ${wanted} SDK.")
  endif()
  foreach(var IN ITEMS COLORDORVO_MAX_SDK_YEARS COLORDORVO_MAX_SDK_YEAR COLORDORVO_MAX_QT_VERSION
                       COLORDORVO_MAX_QT_KIT COLORDORVO_MAX_TOOLSET COLORDORVO_MAX_VISUAL_STUDIO
                       COLORDORVO_MAX_LIBRARIES COLORDORVO_MAX_MODULE)
    set(${var} "${${var}}" PARENT_SCOPE)
  endforeach()
endfunction()

colordorvo_max_host_row()
list(JOIN COLORDORVO_MAX_SDK_YEARS " or " sdks)
list(JOIN COLORDORVO_MAX_LIBRARIES " " libraries)
message(STATUS "3ds Max ${COLORDORVO_MAX_VERSION}: SDK ${sdks}, Qt ${COLORDORVO_MAX_QT_VERSION} "
  "(${COLORDORVO_MAX_QT_KIT}), "
  "Visual Studio ${COLORDORVO_MAX_VISUAL_STUDIO} toolset v${COLORDORVO_MAX_TOOLSET}, "
  "libraries ${libraries}, module ${COLORDORVO_MAX_MODULE}")
if(COLORDORVO_MAX_TABLE_ONLY)
  return()
endif()
if(COLORDORVO_MAX_QT_VERSION VERSION_GREATER_EQUAL 6)
  message(FATAL_ERROR "3ds Max ${COLORDORVO_MAX_VERSION} loads Qt ${COLORDORVO_MAX_QT_VERSION}; "
    "the plug-in builds against Qt 5 only so far.")
endif()
