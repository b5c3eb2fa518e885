add_executable(bench_print_batch ${CMAKE_CURRENT_LIST_DIR}/print_batch.cpp)
target_link_libraries(bench_print_batch PRIVATE galavite_print galavite_jobs galavite_barcodes galavite_model
                      galavite_render)
