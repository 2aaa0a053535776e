# cmake -DPLUGIN_DIR=<plugin/> -DSTANDIN_ONLY=<dir of the stand-in's own headers> -P CheckSeamIncludes.cmake
#
# The plug-in compiles unchanged against the host's real SDK only if it includes nothing the SDK
# lacks: no "hostsdk/..." path, and none of the stand-in runtime's own headers by another way.
file(GLOB_RECURSE sources "${PLUGIN_DIR}/*.h" "${PLUGIN_DIR}/*.cpp" "${PLUGIN_DIR}/*.ui")
file(GLOB standin_headers RELATIVE "${STANDIN_ONLY}" "${STANDIN_ONLY}/*.h")
set(faults "")
foreach(source IN LISTS sources)
  file(STRINGS "${source}" lines REGEX "#include|<header>")
  foreach(line IN LISTS lines)
    set(bad FALSE)
    if(line MATCHES "hostsdk/")
      set(bad TRUE)
    endif()
    foreach(header IN LISTS standin_headers)
      if(line MATCHES "[\"</>]${header}[\">]")
        set(bad TRUE)
      endif()
    endforeach()
    if(bad)
      file(RELATIVE_PATH rel "${PLUGIN_DIR}" "${source}")
      list(APPEND faults "${rel}: ${line}")
    endif()
  endforeach()
endforeach()
if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "the plug-in includes headers only the stand-in SDK has:\n  ${text}")
endif()

# Only the seam reads the SDK's version. HostServices.h turns it into what differs between hosts
# (COLORDORVO_SDK_..., COLORDORVO_MAX_RELEASE_..., COLORDORVO_OVERRIDE_WITHOUT_...), and only the
# classes that override the SDK's virtuals test those: host/ and the dialog, the host's
# ColorPicker. The views never do.
set(version_macros MAX_RELEASE MAX_API_NUM MAX_SDK_REV MAX_VERSION_MAJOR MAX_PRODUCT_YEAR_NUMBER
                   HOSTSDK_YEAR)
set(seam_macros COLORDORVO_SDK_[A-Z_]+ COLORDORVO_MAX_RELEASE_[0-9]+
                COLORDORVO_OVERRIDE_WITHOUT_[A-Z_]+)
list(JOIN version_macros "|" version_macros)
list(JOIN seam_macros "|" seam_macros)
foreach(source IN LISTS sources)
  file(RELATIVE_PATH rel "${PLUGIN_DIR}" "${source}")
  file(STRINGS "${source}" lines REGEX "${version_macros}|${seam_macros}")
  foreach(line IN LISTS lines)
    if(line MATCHES "(^|[^A-Za-z0-9_])(${version_macros})([^A-Za-z0-9_]|$)"
       AND NOT rel STREQUAL "host/services/HostServices.h")
      list(APPEND faults "${rel}: ${line} (the SDK's version, read outside HostServices.h)")
    elseif(line MATCHES "(^|[^A-Za-z0-9_])(${seam_macros})([^A-Za-z0-9_]|$)"
           AND NOT rel MATCHES "^host/" AND NOT rel MATCHES "^dialog/ColorDorvoDialog\\.(h|cpp)$")
      list(APPEND faults "${rel}: ${line} (a host difference outside the SDK's overrides)")
    endif()
  endforeach()
endforeach()
if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "the plug-in tests the host's version outside its seam:\n  ${text}")
endif()
list(LENGTH sources count)
message(STATUS "${count} plug-in files include only the SDK's own headers and read its version "
  "only in the seam")
