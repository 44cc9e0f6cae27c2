# The fuzz tree: every library instrumented for libFuzzer's coverage and
# built with AddressSanitizer and UndefinedBehaviorSanitizer; the targets in
# fuzz/ link libFuzzer's driver. Clang only, in a build tree of its own
# (scripts/fuzz.sh makes build-fuzz); the normal and sanitizer trees do not
# build the targets.
#
# ZELKO_FUZZ_REPLAY builds the same targets with any compiler as plain
# programs that run each input of their corpus once, registered with CTest,
# so the corpus regressions are checked where libFuzzer is missing.
option(ZELKO_FUZZ "Build the libFuzzer targets (clang)" OFF)
option(ZELKO_FUZZ_REPLAY "Build the fuzz targets as corpus replay programs" OFF)

if(ZELKO_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "ZELKO_FUZZ needs clang (-DCMAKE_CXX_COMPILER=clang++)")
  endif()
  if(ZELKO_SANITIZE OR ZELKO_FUZZ_REPLAY)
    message(FATAL_ERROR "ZELKO_FUZZ brings its own sanitizers and driver: build it in a tree of its own")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
