add_executable(bench_pdf417 ${CMAKE_CURRENT_SOURCE_DIR}/pdf417.cpp)
target_link_libraries(bench_pdf417 PRIVATE galavite_barcodes benchmark::benchmark)
