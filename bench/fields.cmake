colordorvo_add_bench(bench_fields SOURCES ${CMAKE_CURRENT_LIST_DIR}/FieldsBench.cpp
                     LIBS colordorvo hostsdk Qt5::Widgets)
