# One static library per folder under src/, built from every source file in it.
# A folder without sources yet is an interface library, so dependants can name it already.
# DEPS are the libraries its headers need (passed on to dependants), PRIVATE those only its
# sources use. Each library sees only its own folder and those of the libraries it links
# (directly, or publicly through them): an include of any other library does not compile.
function(galavite_library folder)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       "${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp"
       "${CMAKE_SOURCE_DIR}/src/${folder}/*.h")
  set(target galavite_${folder})
  set(cpp_files ${sources})
  list(FILTER cpp_files INCLUDE REGEX "\\.cpp$")
  # "folder/Header.h" resolves through a root holding only a link to this folder.
  set(include_root "${CMAKE_BINARY_DIR}/include/${folder}")
  file(MAKE_DIRECTORY "${include_root}")
  if(IS_DIRECTORY "${CMAKE_SOURCE_DIR}/src/${folder}")
    file(CREATE_LINK "${CMAKE_SOURCE_DIR}/src/${folder}" "${include_root}/${folder}" SYMBOLIC)
  endif()
  if(cpp_files)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC "${include_root}")
    target_link_libraries(${target} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE "${include_root}")
    target_link_libraries(${target} INTERFACE ${ARG_DEPS} ${ARG_PRIVATE})
  endif()
endfunction()

# One test program per folder under tests/, linked with that folder's library and the test
# support. With PROGRAM it starts with every program service installed as the program
# starts (for windows); with WIDGET_FREE it links neither the support nor Qt Widgets.
function(galavite_test folder)
  cmake_parse_arguments(ARG "PROGRAM;WIDGET_FREE" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       "${CMAKE_SOURCE_DIR}/tests/${folder}/*.cpp"
       "${CMAKE_SOURCE_DIR}/tests/${folder}/*.h")
  set(cpp_files ${sources})
  list(FILTER cpp_files INCLUDE REGEX "\\.cpp$")
  if(NOT cpp_files)
    return()
  endif()
  set(target test_${folder})
  add_executable(${target} ${sources})
  if(ARG_WIDGET_FREE)
    set(support galavite_test_main_widget_free)
  elseif(ARG_PROGRAM)
    set(support galavite_test_support galavite_test_main_program)
  else()
    set(support galavite_test_support galavite_test_main)
  endif()
  target_link_libraries(${target} PRIVATE galavite_${folder} ${support} ${ARG_DEPS})
  target_compile_definitions(${target} PRIVATE
    GALAVITE_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
    GALAVITE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 600)
endfunction()
