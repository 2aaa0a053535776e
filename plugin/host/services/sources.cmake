list(APPEND COLORDORVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/HostServices.h
  ${CMAKE_CURRENT_LIST_DIR}/HostAccess.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HostAccess.h
  ${CMAKE_CURRENT_LIST_DIR}/ScriptServices.h
  ${CMAKE_CURRENT_LIST_DIR}/ScriptHost.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScriptHost.h
  ${CMAKE_CURRENT_LIST_DIR}/SettingsStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IniText.cpp)
# The version is written once, in the top-level project(); colordorvo-host is given the same.
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/HostAccess.cpp PROPERTIES
  COMPILE_DEFINITIONS COLORDORVO_VERSION="${PROJECT_VERSION}")
