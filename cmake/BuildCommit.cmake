# Run at every build (base/CMakeLists.txt): writes the commit the sources
# come from into OUTPUT, rewriting it only when it changed, so that a build
# without a new commit recompiles nothing. Without git, or outside a
# checkout, the commit is "unknown"; the build never fails for it.
#   cmake -DSOURCE_DIR=... -DOUTPUT=... [-DGIT=...] -P BuildCommit.cmake
set(commit "unknown")
if(GIT)
  execute_process(COMMAND ${GIT} -C ${SOURCE_DIR} describe --always --dirty --abbrev=12
                  OUTPUT_VARIABLE described OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE status ERROR_QUIET)
  if(status EQUAL 0 AND NOT described STREQUAL "")
    set(commit "${described}")
  endif()
endif()
set(text "// Written by cmake/BuildCommit.cmake at build time.\n#include \"base/build_info.h\"\n\nnamespace zelko {\n\nstd::string_view BuildCommit() { return \"${commit}\"; }\n\n}  // namespace zelko\n")
if(EXISTS ${OUTPUT})
  file(READ ${OUTPUT} old)
  if(old STREQUAL text)
    return()
  endif()
endif()
file(WRITE ${OUTPUT} "${text}")
