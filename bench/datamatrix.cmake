add_executable(bench_datamatrix ${CMAKE_CURRENT_SOURCE_DIR}/datamatrix.cpp)
target_link_libraries(bench_datamatrix PRIVATE galavite_barcodes benchmark::benchmark)
