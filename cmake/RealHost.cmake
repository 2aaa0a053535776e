# The build for the real host: ColorDorvoPicker.dlu for 3ds Max COLORDORVO_MAX_VERSION on 64-bit
# Windows, built with the host's MSVC toolset against the host's SDK (COLORDORVO_MAX_SDK_DIR, the
# SDK's "maxsdk" folder) and the Qt the host itself loads, as the year's row of the build table
# (cmake/MaxHostTable.cmake) gives them. Only the plug-in and the generators of its pictures
# are built; the stand-in SDK, colordorvo-host, the tests and the benchmarks are not.
#
# The SDK folder stands in for the stand-in's `hostsdk` target: an interface library with the
# SDK's include folder and the import libraries of the host services the plug-in calls.

set(host "3ds Max ${COLORDORVO_MAX_VERSION}")
set(vs ${COLORDORVO_MAX_VISUAL_STUDIO})
set(toolset ${COLORDORVO_MAX_TOOLSET})
if(NOT MSVC OR NOT CMAKE_SIZEOF_VOID_P EQUAL 8)
  message(FATAL_ERROR "The ${host} plug-in is built with MSVC for x64 (Visual Studio ${vs}, "
    "toolset v${toolset}): use a Visual Studio ${vs} x64 generator or an x64 Native Tools prompt.")
endif()
if(MSVC_TOOLSET_VERSION AND NOT MSVC_TOOLSET_VERSION EQUAL toolset)
  message(WARNING "${host} plug-ins are built with toolset v${toolset}; "
    "this is v${MSVC_TOOLSET_VERSION}.")
endif()

# A plug-in shares the host's Qt: its objects cross the boundary (the host's spinners, icons and
# main window), so it must be built against exactly the Qt the host loads, and ships none.
# COLORDORVO_HOST_QT_VERSION, when set, stands for the table's version.
set(COLORDORVO_HOST_QT_VERSION "" CACHE STRING "The Qt version the host loads (empty: the table's)")
set(host_qt ${COLORDORVO_MAX_QT_VERSION})
if(COLORDORVO_HOST_QT_VERSION)
  set(host_qt ${COLORDORVO_HOST_QT_VERSION})
endif()
if(NOT Qt5Core_VERSION VERSION_EQUAL host_qt)
  message(FATAL_ERROR "${host} loads Qt ${host_qt}; this is Qt ${Qt5Core_VERSION} (${Qt5_DIR}). "
    "Point Qt5_DIR at Qt ${host_qt} ${COLORDORVO_MAX_QT_KIT}.")
endif()

# The SDK ships Release libraries only.
if(CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_CONFIGURATION_TYPES Release CACHE STRING "The SDK has Release libraries only" FORCE)
elseif(NOT CMAKE_BUILD_TYPE STREQUAL "Release")
  set(CMAKE_BUILD_TYPE Release CACHE STRING "The SDK has Release libraries only" FORCE)
endif()
# The host's runtime: the multi-threaded DLL C runtime (/MD).
set(CMAKE_MSVC_RUNTIME_LIBRARY MultiThreadedDLL)

set(sdk ${COLORDORVO_MAX_SDK_DIR})
foreach(header max.h hsv.h plugapi.h iparamb2.h gup.h maxapi.h IPathConfigMgr.h maxicon.h
               Qt/QmaxSpinBox.h Qt/QmaxMainWindow.h maxscript/kernel/MAXScript_TLS.h)
  if(NOT EXISTS ${sdk}/include/${header})
    message(FATAL_ERROR "${sdk} is no 3ds Max SDK folder: include/${header} is missing")
  endif()
endforeach()

# The module's name is the .def file's too: the linker names the DLL's exports after it.
file(STRINGS ${PROJECT_SOURCE_DIR}/plugin/host/ColorDorvoPicker.def def_library
  REGEX "^LIBRARY[ \t]")
if(NOT def_library MATCHES "^LIBRARY[ \t]+${COLORDORVO_MAX_MODULE}[ \t]*$")
  message(FATAL_ERROR "plugin/host/ColorDorvoPicker.def names the module '${def_library}'; the "
    "build table names it ${COLORDORVO_MAX_MODULE}.")
endif()
get_filename_component(COLORDORVO_MAX_MODULE_NAME ${COLORDORVO_MAX_MODULE} NAME_WE)

set(sdk_libraries "")
foreach(name IN LISTS COLORDORVO_MAX_LIBRARIES)
  find_library(COLORDORVO_MAX_LIB_${name} NAMES ${name}
    PATHS ${sdk}/lib/x64/Release NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT COLORDORVO_MAX_LIB_${name})
    message(FATAL_ERROR "${sdk}/lib/x64/Release/${name}.lib is missing")
  endif()
  list(APPEND sdk_libraries ${COLORDORVO_MAX_LIB_${name}})
endforeach()

add_library(hostsdk INTERFACE)
target_include_directories(hostsdk INTERFACE ${sdk}/include)
target_link_libraries(hostsdk INTERFACE ${sdk_libraries})
# The SDK is Unicode throughout; the Windows headers follow.
target_compile_definitions(hostsdk INTERFACE UNICODE _UNICODE NOMINMAX)
# The reference read shows the picker calls' ColorContext from 2025 on, and the seam takes them
# from then; for a 2023 or 2024 SDK that already has it, this tells the seam so.
option(COLORDORVO_SDK_COLOR_CONTEXT "The SDK's picker calls take a ColorContext before 2025" OFF)
if(COLORDORVO_SDK_COLOR_CONTEXT)
  target_compile_definitions(hostsdk INTERFACE COLORDORVO_SDK_COLOR_CONTEXT=1)
endif()

# The module's string table (LibDescription, the class category and name).
enable_language(RC)
