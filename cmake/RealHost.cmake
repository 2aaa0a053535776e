# The build for the real host: ColorDorvoPicker.dlu for 3ds Max 2020 on 64-bit Windows, built with
# MSVC 2017 (toolset v141) against the host's SDK (COLORDORVO_MAX_SDK_DIR, the SDK's "maxsdk"
# folder) and the Qt the host itself loads. Only the plug-in and the generators of its pictures
# are built; the stand-in SDK, colordorvo-host, the tests and the benchmarks are not.
#
# The SDK folder stands in for the stand-in's `hostsdk` target: an interface library with the
# SDK's include folder and the import libraries of the host services the plug-in calls.

if(NOT MSVC OR NOT CMAKE_SIZEOF_VOID_P EQUAL 8)
  message(FATAL_ERROR "The 3ds Max 2020 plug-in is built with MSVC for x64 (Visual Studio 2017, "
    "toolset v141): use a Visual Studio 2017 x64 generator or an x64 Native Tools prompt.")
endif()
if(MSVC_TOOLSET_VERSION AND NOT MSVC_TOOLSET_VERSION EQUAL 141)
  message(WARNING "3ds Max 2020 plug-ins are built with toolset v141; this is v${MSVC_TOOLSET_VERSION}.")
endif()

# A plug-in shares the host's Qt: its objects cross the boundary (the host's spinners, icons and
# main window), so it must be built against exactly the Qt the host loads, and ships none.
set(COLORDORVO_HOST_QT_VERSION "5.11.2" CACHE STRING "The Qt version the host loads")
if(NOT Qt5Core_VERSION VERSION_EQUAL COLORDORVO_HOST_QT_VERSION)
  message(FATAL_ERROR "3ds Max 2020 loads Qt ${COLORDORVO_HOST_QT_VERSION}; this is Qt "
    "${Qt5Core_VERSION} (${Qt5_DIR}). Point Qt5_DIR at Qt ${COLORDORVO_HOST_QT_VERSION} msvc2017_64.")
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

# The libraries behind what the plug-in calls: core (core interface, icons, the picker base),
# maxutil (debug output, host heap), geom (AColor), gup (the utility base), paramblk2
# (ClassDesc2) and maxscrpt (script values, the listener).
set(sdk_libraries "")
foreach(name core maxutil geom gup paramblk2 maxscrpt)
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

# The module's string table (LibDescription, the class category and name).
enable_language(RC)
