# Every target of ours compiles with one warning set, and sees only the
# headers of its own folder and of the libraries it links.
#
# Layering: each folder has an include root in the build tree holding one
# link, named after the folder, to the folder itself. A library publishes
# its root, so `#include "device/…"` resolves only in targets that link
# zelko_device (directly or through a library that does); a lower layer
# that includes a higher one fails to build.

option(ZELKO_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)

# The include root of `folder` (a top-level folder of the source tree).
function(zelko_include_root_of folder out)
  set(root ${CMAKE_BINARY_DIR}/include_roots/${folder})
  if(NOT EXISTS ${root}/${folder})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${ZELKO_SOURCE_ROOT}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  set(${out} ${root} PARENT_SCOPE)
endfunction()

# The top-level folder the current CMakeLists.txt belongs to.
function(zelko_current_folder out)
  file(RELATIVE_PATH relative ${ZELKO_SOURCE_ROOT} ${CMAKE_CURRENT_SOURCE_DIR})
  string(REGEX REPLACE "/.*$" "" folder "${relative}")
  set(${out} ${folder} PARENT_SCOPE)
endfunction()

# zelko_set_warnings(target): the warning set, and the include root of the
# target's own folder (public for libraries, private for programs).
function(zelko_set_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /permissive-)
    if(ZELKO_WARNINGS_AS_ERRORS)
      target_compile_options(${target} PRIVATE /WX)
    endif()
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(ZELKO_WARNINGS_AS_ERRORS)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  endif()
  zelko_current_folder(folder)
  zelko_include_root_of(${folder} root)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    target_include_directories(${target} PRIVATE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# zelko_add_test(name SOURCES... LIBS ... [LABEL label] [RESOURCE_LOCK name]):
# a GoogleTest executable registered with CTest, each test with a timeout.
# LABEL marks its tests for a leg that runs only some (the ThreadSanitizer
# leg runs LABEL threads); RESOURCE_LOCK keeps its tests from running at
# the same time as others that take the same lock (an Xvfb server). A parameterised case is
# registered under the name its suite's name generator gives it; without
# NO_PRETTY_VALUES CTest would append gtest's print of the parameter (a byte
# dump that holds heap addresses, different in every build).
set(ZELKO_TEST_TIMEOUT 120 CACHE STRING "Seconds a single test may take")
set(ZELKO_CROSS_TEST_TIMEOUT 600 CACHE STRING "Seconds a whole test executable may take under an emulator")
function(zelko_add_test name)
  if(NOT ZELKO_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "LABEL;RESOURCE_LOCK" "SOURCES;LIBS" ${ARGN})
  set(properties TIMEOUT ${ZELKO_TEST_TIMEOUT})
  if(ARG_LABEL)
    list(APPEND properties LABELS ${ARG_LABEL})
  endif()
  if(ARG_RESOURCE_LOCK)
    list(APPEND properties RESOURCE_LOCK ${ARG_RESOURCE_LOCK})
  endif()
  add_executable(${name} ${ARG_SOURCES})
  zelko_set_warnings(${name})
  if(ARG_LABEL)
    # `cmake --build … --target tests_LABEL` builds only these executables.
    if(NOT TARGET tests_${ARG_LABEL})
      add_custom_target(tests_${ARG_LABEL})
    endif()
    add_dependencies(tests_${ARG_LABEL} ${name})
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  if(CMAKE_CROSSCOMPILING)
    # Under Wine every start of a program costs a second or more: one CTest
    # test per executable runs all its tests (and prints each by name).
    add_test(NAME ${name} COMMAND ${name})
    list(REMOVE_AT properties 0 1)
    set_tests_properties(${name} PROPERTIES TIMEOUT ${ZELKO_CROSS_TEST_TIMEOUT} ${properties})
    return()
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" ${properties})
endfunction()
