add_executable(bench_export_batch ${CMAKE_CURRENT_LIST_DIR}/export_batch.cpp)
target_link_libraries(bench_export_batch PRIVATE galavite_export galavite_widgets galavite_jobs galavite_barcodes
                                                 galavite_common galavite_render)
