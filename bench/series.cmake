add_executable(bench_series ${CMAKE_CURRENT_LIST_DIR}/series.cpp)
target_link_libraries(bench_series PRIVATE galavite_series galavite_common galavite_data)
