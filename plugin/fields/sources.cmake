# The pictures of the square field and the channel slider: plain code on QtGui and the color
# model, a library of its own because the generator of the embedded field picture (tools/) uses it
# too. The AVX2 loops are compiled for AVX2 file by file; everything else for the baseline.
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
target_include_directories(colordorvo_pictures PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(colordorvo_pictures PUBLIC colordorvo_color Qt5::Gui)

list(APPEND COLORDORVO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AccessibilityEvents.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AccessibilityEvents.h
  ${CMAKE_CURRENT_LIST_DIR}/AccessibleColorView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AccessibleColorView.h
  ${CMAKE_CURRENT_LIST_DIR}/CanvasArea.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CanvasArea.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorDialogServices.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorField.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorField.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorFieldType.h
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
  ${CMAKE_CURRENT_LIST_DIR}/ColorSlider.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorSlider.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorSliderStrip.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorSliderStrip.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorViewAccessible.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorViewAccessible.h
  ${CMAKE_CURRENT_LIST_DIR}/ColorWheel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColorWheel.h
  ${CMAKE_CURRENT_LIST_DIR}/FocusFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FocusFrame.h
  ${CMAKE_CURRENT_LIST_DIR}/HsvWheel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HsvWheel.h
  ${CMAKE_CURRENT_LIST_DIR}/HueWheel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HueWheel.h
  ${CMAKE_CURRENT_LIST_DIR}/ScreenImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScreenImage.h
  ${CMAKE_CURRENT_LIST_DIR}/KeyboardStep.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyboardStep.h)
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
