# zelko_set_warnings(target): the warning set every target of ours compiles with.
function(zelko_set_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /permissive-)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  endif()
  target_include_directories(${target} PUBLIC ${ZELKO_SOURCE_ROOT})
endfunction()

# zelko_add_test(name SOURCES... LIBS ...): a GoogleTest executable registered with CTest.
function(zelko_add_test name)
  if(NOT ZELKO_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  zelko_set_warnings(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
