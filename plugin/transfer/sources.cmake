# Colors to and from other programs and between the picker's own views: the clipboard keys, drag
# sources and drop targets, the "Copy as" menu, and the MIME data they all carry.
list(APPEND COLORDORVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ColorClipboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorClipboard.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorCopyMenu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorCopyMenu.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorDragSource.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorDragSource.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorDropTarget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorDropTarget.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorMime.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorMime.h)
