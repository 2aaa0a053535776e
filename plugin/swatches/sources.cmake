list(APPEND COLORDORVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ColorPaletteLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorPalette.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorPaletteStep.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MultiClickPushButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorSwatchButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorDragSource.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorCopyMenu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorListFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GimpPaletteFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BigEndianReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AdobeColorConversion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AdobeSwatchFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PhotoshopSwatchFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImportLimits.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorListStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorSwatchListWidget.cpp
)
