# Builds the Debian package from the build folder and checks it with lintian:
# no errors, and the control fields the install needs.
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} --config ${BUILD_DIR}/CPackConfig.cmake
                WORKING_DIRECTORY ${BUILD_DIR} RESULT_VARIABLE packed OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(NOT packed EQUAL 0)
  message(FATAL_ERROR "cpack failed:\n${said}")
endif()
file(GLOB debs ${BUILD_DIR}/package/zelko77_*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one package, found: ${debs}")
endif()
execute_process(COMMAND dpkg-deb --field ${debs} Depends OUTPUT_VARIABLE depends)
if(NOT depends MATCHES "libqt6widgets6" OR NOT depends MATCHES "libpng16")
  message(FATAL_ERROR "the package's dependencies miss the libraries it links: ${depends}")
endif()
execute_process(COMMAND ${LINTIAN} --fail-on error ${debs}
                RESULT_VARIABLE clean OUTPUT_VARIABLE said ERROR_VARIABLE ignored)
if(NOT clean EQUAL 0)
  message(FATAL_ERROR "lintian reports errors:\n${said}")
endif()
