colordorvo_add_bench(bench_dialog SOURCES ${CMAKE_CURRENT_LIST_DIR}/DialogBench.cpp
                     LIBS colordorvo hostsdk Qt5::Widgets)
