add_executable(bench_mail_first ${CMAKE_CURRENT_SOURCE_DIR}/mail_first.cpp
               ${CMAKE_SOURCE_DIR}/tests/mailing/LocalSmtpServer.cpp)
target_include_directories(bench_mail_first PRIVATE ${CMAKE_SOURCE_DIR}/tests/mailing ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(bench_mail_first PRIVATE GALAVITE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_link_libraries(bench_mail_first PRIVATE galavite_mailing Qt6::Gui)
