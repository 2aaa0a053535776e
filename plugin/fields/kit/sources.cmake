# The kit every color view uses, the palette's and the swatch list's included: what a view asks of
# the dialog (ColorDialogServices), the keyboard step, the focus frame, the markers' icons, and
# what a view tells screen readers.
list(APPEND COLORDORVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AccessibilityEvents.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AccessibilityEvents.h
  ${CMAKE_CURRENT_LIST_DIR}/SpokenColorView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SpokenColorView.h
  ${CMAKE_CURRENT_LIST_DIR}/ChannelKeys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChannelKeys.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorDialogServices.h
  ${CMAKE_CURRENT_LIST_DIR}/SpokenColorViewInterface.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SpokenColorViewInterface.h
  ${CMAKE_CURRENT_LIST_DIR}/FieldMarkerIcons.h
  ${CMAKE_CURRENT_LIST_DIR}/FocusFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FocusFrame.h
  ${CMAKE_CURRENT_LIST_DIR}/KeyboardStep.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyboardStep.h)
