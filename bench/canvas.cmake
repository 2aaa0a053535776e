colordorvo_add_bench(bench_canvas SOURCES ${CMAKE_CURRENT_LIST_DIR}/CanvasBench.cpp
                     LIBS colordorvo hostsdk Qt5::Widgets)
