add_executable(bench_xlsx_read ${CMAKE_CURRENT_LIST_DIR}/xlsx_read.cpp)
target_link_libraries(bench_xlsx_read PRIVATE galavite_data)
