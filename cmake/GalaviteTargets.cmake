# One static library per folder under src/, built from every source file in it.
# A folder without sources yet is an interface library, so dependants can name it already.
function(galavite_library folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       "${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp"
       "${CMAKE_SOURCE_DIR}/src/${folder}/*.h")
  set(target galavite_${folder})
  set(cpp_files ${sources})
  list(FILTER cpp_files INCLUDE REGEX "\\.cpp$")
  if(cpp_files)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC "${CMAKE_SOURCE_DIR}/src")
    target_link_libraries(${target} PUBLIC ${ARG_DEPS})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE "${CMAKE_SOURCE_DIR}/src")
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# One test program per folder under tests/, linked with that folder's library.
function(galavite_test folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
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
  target_link_libraries(${target} PRIVATE galavite_${folder} galavite_test_support ${ARG_DEPS})
  target_compile_definitions(${target} PRIVATE
    GALAVITE_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
    GALAVITE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60)
endfunction()
