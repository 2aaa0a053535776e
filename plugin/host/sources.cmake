list(APPEND COLORDORVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DorvoColorUtility.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PluginModule.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PluginClassDesc.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorDorvoPicker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorDorvoPickerClassDesc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DorvoColorUtilityClassDesc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PluginEntry.cpp)
