# The views: the square field, the two wheels, the channel slider and the mixing canvas, and the
# numbers of the dialog's field pages. Their rooms, lowest first (the folder-order check keeps the
# order): pictures/ (the pictures and the position-to-color mappings), kit/ (what every view uses),
# eyedropper/ (the screen pick).
foreach(room pictures kit eyedropper)
  include(${CMAKE_CURRENT_LIST_DIR}/${room}/sources.cmake)
endforeach()

list(APPEND COLORDORVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CanvasArea.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CanvasArea.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorField.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorField.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorFieldType.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorSlider.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorSlider.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorSliderStrip.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorSliderStrip.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorWheel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorWheel.h
  ${CMAKE_CURRENT_LIST_DIR}/HsvWheel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HsvWheel.h
  ${CMAKE_CURRENT_LIST_DIR}/HueWheel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HueWheel.h)
# The canvas's brush loops go several pixels at a time. Their square roots never see a negative
# argument, so errno is never set, and their comparisons never see a NaN, so none traps; saying so
# lets the compiler use vector instructions there (GCC at -O2 also needs its full cost model to
# take loops of unknown length). Results are the same, bit for bit.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/CanvasArea.cpp PROPERTIES
    COMPILE_OPTIONS "-fno-math-errno;-fno-trapping-math;-fvect-cost-model=dynamic")
elseif(NOT MSVC)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/CanvasArea.cpp PROPERTIES
    COMPILE_OPTIONS "-fno-math-errno;-fno-trapping-math")
endif()
