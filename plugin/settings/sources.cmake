# The picker's stored choices in one record (PickerSettings) and the settings dialog that applies
# some of them.
list(APPEND COLORDORVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ColorDorvoSettingsDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorDorvoSettingsDialog.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorDorvoSettingsDialog.ui
  ${CMAKE_CURRENT_LIST_DIR}/ColorSpinnerType.h
  ${CMAKE_CURRENT_LIST_DIR}/PickerSettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PickerSettings.h
)
