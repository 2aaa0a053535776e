# The swatch views: the harmony palette, the swatch buttons and the side panel of stored colors.
# Its files/ room holds the formats and the list store the panel reads and writes through.
include(${CMAKE_CURRENT_LIST_DIR}/files/sources.cmake)
list(APPEND COLORDORVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ColorPaletteLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorPalette.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorPaletteStep.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MultiClickPushButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorSwatchButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorSwatchListWidget.cpp
)
