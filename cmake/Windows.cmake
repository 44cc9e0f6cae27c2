# What every Windows build of ours needs: <windows.h> without its min/max
# macros and rarely used parts, Windows 7 APIs. A MinGW build links its
# runtime statically, so the programs and tests run without the compiler's
# DLLs beside them.
add_compile_definitions(NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)
if(MINGW)
  add_link_options(-static)
endif()
