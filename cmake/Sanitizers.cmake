option(ZELKO_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
# The threaded parts (the key-test worker, the input capture readers, the
# shared virtual clock) under ThreadSanitizer, in a tree of their own:
# scripts/test.sh builds only the tests labelled "threads" there.
option(ZELKO_SANITIZE_THREAD "Build with ThreadSanitizer" OFF)

if((ZELKO_SANITIZE OR ZELKO_SANITIZE_THREAD) AND MSVC)
  message(FATAL_ERROR "ZELKO_SANITIZE and ZELKO_SANITIZE_THREAD are for GCC and Clang")
endif()
if(ZELKO_SANITIZE AND ZELKO_SANITIZE_THREAD)
  message(FATAL_ERROR "ThreadSanitizer does not combine with AddressSanitizer: build it in a tree of its own")
endif()
if(ZELKO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(ZELKO_SANITIZE_THREAD)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()
