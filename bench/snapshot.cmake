add_executable(bench_snapshot ${CMAKE_CURRENT_SOURCE_DIR}/snapshot.cpp)
target_link_libraries(bench_snapshot PRIVATE galavite_jobs benchmark::benchmark)
