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

# The X server xvfb-run starts for `x11` tests unless a test asks for another.
set(COLORDORVO_XVFB_ARGS "-screen 0 1280x1024x24")

# colordorvo_add_qtest(<name> LABEL unit|gui|x11 SOURCES ... [LIBS ...] [XVFB_ARGS "..."])
#
# One QtTest executable, registered as one CTest test. `unit` and `gui` tests run on
# Qt's offscreen platform; `x11` tests need real window-system behaviour and run
# under xvfb-run on the xcb platform, with the server arguments XVFB_ARGS (default
# COLORDORVO_XVFB_ARGS). colordorvo_add_x11_run registers further runs of such a test.
function(colordorvo_add_qtest name)
  cmake_parse_arguments(T "" "LABEL;TIMEOUT;XVFB_ARGS" "SOURCES;LIBS" ${ARGN})
  if(NOT T_LABEL)
    set(T_LABEL unit)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt5::Test ${T_LIBS})
  # The helpers every suite shares (the recording host callback, the test host, mouse drags).
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  if(T_LABEL STREQUAL "x11")
    if(NOT T_XVFB_ARGS)
      set(T_XVFB_ARGS "${COLORDORVO_XVFB_ARGS}")
    endif()
    colordorvo_add_x11_run(${name} TARGET ${name} XVFB_ARGS "${T_XVFB_ARGS}" TIMEOUT ${T_TIMEOUT})
  else()
    add_test(NAME ${name} COMMAND ${name})
    _colordorvo_test_properties(${name} ${T_LABEL} ${T_TIMEOUT} "QT_QPA_PLATFORM=offscreen")
  endif()
endfunction()

# colordorvo_add_x11_run(<test name> TARGET <x11 test target> [XVFB_ARGS "..."]
#                        [NESTED_SCREENS WxH WxH ...] [ENVIRONMENT VAR=value ...] [TIMEOUT s]
#                        [ARGS ...])
#
# One run of an `x11` QtTest program under xvfb-run: on an Xvfb server started with XVFB_ARGS
# (default COLORDORVO_XVFB_ARGS), or with NESTED_SCREENS on a nested X server whose screens of
# those sizes stand side by side on one Xinerama desktop (Xvfb's own screens all start at 0, 0),
# with ENVIRONMENT added to the test's environment and ARGS (for example the names of the test
# functions to run) passed to the program. Labelled x11.
function(colordorvo_add_x11_run name)
  cmake_parse_arguments(R "" "TARGET;XVFB_ARGS;TIMEOUT" "NESTED_SCREENS;ENVIRONMENT;ARGS" ${ARGN})
  if(NOT R_XVFB_ARGS)
    set(R_XVFB_ARGS "${COLORDORVO_XVFB_ARGS}")
  endif()
  if(NOT R_TIMEOUT)
    set(R_TIMEOUT 600)
  endif()
  find_program(XVFB_RUN xvfb-run REQUIRED)
  set(program $<TARGET_FILE:${R_TARGET}>)
  if(R_NESTED_SCREENS)
    find_program(XEPHYR Xephyr REQUIRED)
    list(JOIN R_NESTED_SCREENS " " sizes)
    set(program ${PROJECT_SOURCE_DIR}/tests/support/run-on-nested-screens "${sizes}" ${program})
  endif()
  add_test(NAME ${name} COMMAND ${XVFB_RUN} -a -s "${R_XVFB_ARGS}" ${program} ${R_ARGS})
  # Nothing of ours paints through OpenGL: without the xcb GL integration no GL driver is
  # loaded and unloaded, and LeakSanitizer has none of its one-off allocations to report.
  set(environment QT_QPA_PLATFORM=xcb QT_XCB_GL_INTEGRATION=none ${R_ENVIRONMENT})
  _colordorvo_test_properties(${name} x11 ${R_TIMEOUT} "${environment}")
endfunction()

function(_colordorvo_test_properties name label timeout environment)
  # One limit: QtTest's own per-function limit (five minutes) would otherwise stop a long sweep
  # first, as in the sanitized build, where every allocation unwinds the full stack.
  math(EXPR function_timeout_ms "${timeout} * 1000")
  set_tests_properties(${name} PROPERTIES
    LABELS ${label}
    TIMEOUT ${timeout}
    ENVIRONMENT "${environment};QTEST_FUNCTION_TIMEOUT=${function_timeout_ms};LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/scripts/lsan.supp:fast_unwind_on_malloc=0;ASAN_OPTIONS=detect_leaks=1")
endfunction()

# colordorvo_add_module(<target> SOURCES ... [LIBS ...] [OUTPUT_NAME name] [OUTPUT_DIRECTORY dir])
#
# A host module: a loadable library named <name>.dlu (no "lib" prefix), linked against
# hostsdk and built with hidden visibility, so that only what the module marks with
# COLORDORVO_EXPORT (its entry point and Lib* functions) is visible to the loader. By
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
