add_executable(bench_plist_array ${CMAKE_CURRENT_SOURCE_DIR}/plist_array.cpp)
target_link_libraries(bench_plist_array PRIVATE galavite_platform benchmark::benchmark)
