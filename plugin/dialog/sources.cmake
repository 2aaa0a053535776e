list(APPEND COLORDORVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/BackdropCache.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BackdropCache.h
  ${CMAKE_CURRENT_LIST_DIR}/ChannelSelectorWidth.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChannelSelectorWidth.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorClipboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorClipboard.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorDorvoDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorDorvoDialog.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorDorvoDialog.ui
  ${CMAKE_CURRENT_LIST_DIR}/ColorDropTarget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorDropTarget.h
  ${CMAKE_CURRENT_LIST_DIR}/DialogAccessibility.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DialogAccessibility.h
)
