# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads:
# g++-mingw-w64-x86-64-posix). Used by scripts/test-windows.sh:
#   cmake -S . -B build-windows --toolchain cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZELKO_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZELKO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZELKO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZELKO_MINGW_TRIPLE}-windres)

# Libraries and headers come from the target's root only; programs run at
# build time are the host's.
set(CMAKE_FIND_ROOT_PATH /usr/${ZELKO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
