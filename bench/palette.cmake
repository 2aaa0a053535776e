colordorvo_add_bench(bench_palette
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_palette.cpp
  LIBS colordorvo hostsdk Qt5::Widgets)
