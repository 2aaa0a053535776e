# Compiler flags that differ between GCC/Clang and MSVC (the host builds plug-ins with MSVC).
#
# COLORDORVO_EXACT_FLOAT_OPTIONS: float arithmetic as written, each operation rounded: no
# contraction into fused multiply-adds and no reassociation. Every source of the tree is built with
# them (see the top-level CMakeLists.txt): the color math is specified to the bit.
# COLORDORVO_AVX2_OPTIONS: for the sources that hold the AVX2 loops (*Avx2.cpp) only; the code that
# calls them checks the CPU first.
if(MSVC)
  set(COLORDORVO_EXACT_FLOAT_OPTIONS /fp:precise)
  set(COLORDORVO_AVX2_OPTIONS /arch:AVX2)
else()
  set(COLORDORVO_EXACT_FLOAT_OPTIONS -ffp-contract=off -fno-fast-math)
  set(COLORDORVO_AVX2_OPTIONS -mavx2)
endif()

# colordorvo_add_qtest(<name> LABEL unit|gui|x11 SOURCES ... [LIBS ...])
#
# One QtTest executable, registered as one CTest test. `unit` and `gui` tests run on
# Qt's offscreen platform; `x11` tests need real window-system behaviour and run
# under xvfb-run on the xcb platform.
function(colordorvo_add_qtest name)
  cmake_parse_arguments(T "" "LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_LABEL)
    set(T_LABEL unit)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt5::Test ${T_LIBS})
  # The helpers every suite shares (the recording host callback, the test host, mouse drags).
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  if(T_LABEL STREQUAL "x11")
    find_program(XVFB_RUN xvfb-run REQUIRED)
    add_test(NAME ${name}
             COMMAND ${XVFB_RUN} -a -s "-screen 0 1280x1024x24" $<TARGET_FILE:${name}>)
    # Nothing of ours paints through OpenGL: without the xcb GL integration no GL driver is
    # loaded and unloaded, and LeakSanitizer has none of its one-off allocations to report.
    set(environment "QT_QPA_PLATFORM=xcb;QT_XCB_GL_INTEGRATION=none")
  else()
    add_test(NAME ${name} COMMAND ${name})
    set(environment "QT_QPA_PLATFORM=offscreen")
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  # One limit: QtTest's own per-function limit (five minutes) would otherwise stop a long sweep
  # first, as in the sanitized build, where every allocation unwinds the full stack.
  math(EXPR function_timeout_ms "${T_TIMEOUT} * 1000")
  set_tests_properties(${name} PROPERTIES
    LABELS ${T_LABEL}
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "${environment};QTEST_FUNCTION_TIMEOUT=${function_timeout_ms};LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/scripts/lsan.supp:fast_unwind_on_malloc=0;ASAN_OPTIONS=detect_leaks=1")
endfunction()

# colordorvo_add_module(<target> SOURCES ... [LIBS ...] [OUTPUT_NAME name] [OUTPUT_DIRECTORY dir])
#
# A host module: a loadable library named <name>.dlu (no "lib" prefix), linked against
# hostsdk and built with hidden visibility, so that only what the module marks with
# HOSTSDK_MODULE_EXPORT (its entry point and Lib* functions) is visible to the loader. By
# default it lands in bin/plugins, the folder colordorvo-host loads from.
function(colordorvo_add_module target)
  cmake_parse_arguments(M "" "OUTPUT_NAME;OUTPUT_DIRECTORY" "SOURCES;LIBS" ${ARGN})
  if(NOT M_OUTPUT_DIRECTORY)
    set(M_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/plugins)
  endif()
  add_library(${target} MODULE ${M_SOURCES})
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    SUFFIX ".dlu"
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    LIBRARY_OUTPUT_DIRECTORY ${M_OUTPUT_DIRECTORY})
  if(M_OUTPUT_NAME)
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${M_OUTPUT_NAME})
  endif()
  target_link_libraries(${target} PRIVATE hostsdk ${M_LIBS})
endfunction()
