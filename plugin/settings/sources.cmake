list(APPEND COLORDORVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ColorDorvoSettingsDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorDorvoSettingsDialog.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorDorvoSettingsDialog.ui
)
