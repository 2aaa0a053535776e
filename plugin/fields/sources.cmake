# The pictures of the fields and sliders are exact to the bit in single precision: no fused
# multiply-adds and no reassociation, whatever the target CPU offers.
set(COLORDORVO_FIELD_PICTURE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ChannelGradient.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorFieldImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorPixels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SrgbEncodeTable.cpp)
set_source_files_properties(${COLORDORVO_FIELD_PICTURE_SOURCES} PROPERTIES
  COMPILE_OPTIONS "-ffp-contract=off;-fno-fast-math")

list(APPEND COLORDORVO_SOURCES
  ${COLORDORVO_FIELD_PICTURE_SOURCES}
  ${CMAKE_CURRENT_LIST_DIR}/ColorFieldType.h)
