colordorvo_add_bench(bench_eyedropper SOURCES ${CMAKE_CURRENT_LIST_DIR}/EyedropperBench.cpp
                     LIBS colordorvo hostsdk Qt5::Widgets)
