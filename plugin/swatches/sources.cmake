list(APPEND COLORDORVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ColorPaletteLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorPalette.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorPaletteStep.cpp
)
