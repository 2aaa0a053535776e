# The pictures of the square field and the channel slider, and the mappings between a position
# and a color that they share with the views: plain code on QtGui and the color model, a library of
# its own because the generator of the embedded field picture (tools/) uses it too. The AVX2 loops
# are compiled for AVX2 file by file (*Avx2.cpp); everything else for the baseline.
set(COLORDORVO_AVX2_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ColorPixelsAvx2.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SrgbEncodeTableAvx2.cpp)
set_source_files_properties(${COLORDORVO_AVX2_SOURCES} PROPERTIES
  COMPILE_OPTIONS "${COLORDORVO_AVX2_OPTIONS}")
add_library(colordorvo_pictures STATIC
  ${COLORDORVO_AVX2_SOURCES}
  ${CMAKE_CURRENT_LIST_DIR}/ChannelGradient.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChannelGradient.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorFieldImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorFieldImage.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorFieldMapping.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorFieldMapping.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorPixels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorPixels.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorPixelsLoops.h
  ${CMAKE_CURRENT_LIST_DIR}/CpuFeatures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CpuFeatures.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorSliderMapping.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorSliderMapping.h
  ${CMAKE_CURRENT_LIST_DIR}/SrgbEncodeTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SrgbEncodeTable.h)
set_target_properties(colordorvo_pictures PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
# Included as "fields/pictures/...", from plugin/.
target_include_directories(colordorvo_pictures PUBLIC ${CMAKE_CURRENT_LIST_DIR}/../..)
target_link_libraries(colordorvo_pictures PUBLIC colordorvo_color Qt5::Gui)
