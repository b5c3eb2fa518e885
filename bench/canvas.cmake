add_executable(bench_canvas ${CMAKE_CURRENT_SOURCE_DIR}/canvas.cpp)
target_link_libraries(bench_canvas PRIVATE galavite_canvas benchmark::benchmark)
