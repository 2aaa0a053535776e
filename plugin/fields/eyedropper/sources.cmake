# The eyedropper: the screen pick (ColorPickScreen) with its overlay and loupe, the desktop grab
# and the image of the screens it takes, and the running mean of the samples of one pick.
list(APPEND COLORDORVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ColorPickLoupe.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorPickLoupe.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorPickOverlay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorPickOverlay.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorPickScreen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorPickScreen.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorSamples.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorSamples.h
  ${CMAKE_CURRENT_LIST_DIR}/DesktopGrab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DesktopGrab.h
  ${CMAKE_CURRENT_LIST_DIR}/ScreenImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScreenImage.h)
