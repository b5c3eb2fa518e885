add_executable(bench_effects ${CMAKE_CURRENT_LIST_DIR}/effects.cpp)
target_link_libraries(bench_effects PRIVATE galavite_images benchmark::benchmark)
