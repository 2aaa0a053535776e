colordorvo_add_bench(bench_dialog SOURCES ${CMAKE_CURRENT_LIST_DIR}/DialogBench.cpp
                     LIBS colordorvo hostsdk Qt5::Widgets)
# Not a Google Benchmark program: it starts itself once per sample (scripts/bench runs bench_*).
colordorvo_add_bench(firstopen_dialog SOURCES ${CMAKE_CURRENT_LIST_DIR}/FirstOpenBench.cpp
                     LIBS colordorvo hostsdk Qt5::Widgets)
# The opening benchmark also builds the designed form on its own.
set_target_properties(bench_dialog PROPERTIES AUTOUIC_SEARCH_PATHS
                      ${PROJECT_SOURCE_DIR}/plugin/dialog)
