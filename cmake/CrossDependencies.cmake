# A cross build finds no target packages of Debian's: the header-only
# libraries are taken from the host's include folder (only their own
# folders are put on the include path, never /usr/include itself),
# GoogleTest is built for the target from Debian's source package, and the
# tests run through Wine.

# zelko_host_headers(target folder): an interface target whose include path
# holds only /usr/include/<folder>.
function(zelko_host_headers target folder)
  set(root ${CMAKE_BINARY_DIR}/host_headers/${target})
  if(NOT EXISTS ${root}/${folder})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK /usr/include/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  string(REPLACE "::" "_" plain ${target})
  add_library(${plain} INTERFACE)
  target_include_directories(${plain} SYSTEM INTERFACE ${root})
  add_library(${target} ALIAS ${plain})
endfunction()

zelko_host_headers(CLI11::CLI11 CLI)
zelko_host_headers(nlohmann_json::nlohmann_json nlohmann)

if(ZELKO_BUILD_TESTS)
  set(ZELKO_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest's sources, built for the target")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${ZELKO_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  foreach(library gtest gtest_main gmock gmock_main)
    if(NOT TARGET GTest::${library})
      add_library(GTest::${library} ALIAS ${library})
    endif()
  endforeach()
  include(GoogleTest)
  enable_testing()

  # Every test runs under Wine: headless, quiet, in a prefix of the build
  # folder's own, without the Mono and Gecko installers Wine offers.
  find_program(ZELKO_WINE NAMES wine64 wine REQUIRED)
  set(ZELKO_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      ${CMAKE_COMMAND} -E env WINEPREFIX=${ZELKO_WINEPREFIX} WINEDEBUG=-all
      WINEDLLOVERRIDES=mscoree,mshtml= DISPLAY= ${ZELKO_WINE})
endif()
