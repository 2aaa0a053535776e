colordorvo_add_bench(bench_color SOURCES ${CMAKE_CURRENT_LIST_DIR}/ColorBench.cpp
                     LIBS colordorvo_color)
