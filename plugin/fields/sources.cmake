# The pictures of the fields and sliders, their position-value mappings and the wheels' marker
# placement (float sines and cosines) are exact to the bit in single precision: no fused
# multiply-adds and no reassociation, whatever the target CPU offers.
set(COLORDORVO_EXACT_FLOAT_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ChannelGradient.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorFieldImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorFieldMapping.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorPixels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorSliderMapping.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SrgbEncodeTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorWheel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HsvWheel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HueWheel.cpp)
set_source_files_properties(${COLORDORVO_EXACT_FLOAT_SOURCES} PROPERTIES
  COMPILE_OPTIONS "-ffp-contract=off;-fno-fast-math")

list(APPEND COLORDORVO_SOURCES
  ${COLORDORVO_EXACT_FLOAT_SOURCES}
  ${CMAKE_CURRENT_LIST_DIR}/ColorField.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorDialogServices.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorField.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorFieldMapping.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorFieldType.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorSlider.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorSlider.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorSliderMapping.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorSliderStrip.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorSliderStrip.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorWheel.h
  ${CMAKE_CURRENT_LIST_DIR}/HsvWheel.h
  ${CMAKE_CURRENT_LIST_DIR}/HueWheel.h)
