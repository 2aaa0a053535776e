colordorvo_add_bench(bench_wheels SOURCES ${CMAKE_CURRENT_LIST_DIR}/WheelsBench.cpp
                     LIBS colordorvo hostsdk Qt5::Widgets)
