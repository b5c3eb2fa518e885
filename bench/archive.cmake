add_executable(bench_archive ${CMAKE_CURRENT_SOURCE_DIR}/archive.cpp)
target_link_libraries(bench_archive PRIVATE galavite_model benchmark::benchmark)
