add_executable(bench_qrcode ${CMAKE_CURRENT_SOURCE_DIR}/qrcode.cpp)
target_link_libraries(bench_qrcode PRIVATE galavite_barcodes benchmark::benchmark)
