add_executable(bench_badge_print ${CMAKE_CURRENT_LIST_DIR}/badge_print.cpp)
target_link_libraries(bench_badge_print PRIVATE galavite_print galavite_jobs galavite_barcodes galavite_model
                      galavite_render)
target_include_directories(bench_badge_print PRIVATE ${CMAKE_SOURCE_DIR}/tests)
