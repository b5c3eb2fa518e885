add_executable(bench_text_fit ${CMAKE_CURRENT_LIST_DIR}/text_fit.cpp)
target_link_libraries(bench_text_fit PRIVATE galavite_model galavite_common)
