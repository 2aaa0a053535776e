# The palette formats (JSON lists, GIMP, Adobe's .ase and .aco) behind one door, PaletteFiles, and
# the list store: the main list file under its lock, the import limits and the History rule. No
# widgets.
list(APPEND COLORDORVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AdobeColorConversion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AdobeSwatchFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BigEndianReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorListFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorListStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GimpPaletteFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImportLimits.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PaletteFiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PhotoshopSwatchFile.cpp
)
