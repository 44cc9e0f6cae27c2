# cmake -DRUN=<program and arguments, "|"-separated> -DEXIT=<code>
#       [-DOUT=<regex stdout must match>] [-DERR=<regex stderr must match>]
#       [-DFOLDER=<folder made first>] [-DFILE=<file that must exist after>]
#       [-DSIZE=<its size in bytes>] -P run_and_check.cmake
# Runs a program once with a deadline and checks how it ended: the plain
# checks of zelko77ctl.exe under Wine, where the POSIX test runner cannot go.
string(REPLACE "|" ";" command "${RUN}")
if(DEFINED FOLDER)
  file(REMOVE_RECURSE "${FOLDER}")
  file(MAKE_DIRECTORY "${FOLDER}")
endif()
execute_process(COMMAND ${command} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err
                TIMEOUT 60)
set(failed "")
if(NOT "${code}" STREQUAL "${EXIT}")
  string(APPEND failed "exit ${code}, expected ${EXIT}\n")
endif()
if(DEFINED OUT AND NOT out MATCHES "${OUT}")
  string(APPEND failed "stdout does not match ${OUT}\n")
endif()
if(DEFINED ERR AND NOT err MATCHES "${ERR}")
  string(APPEND failed "stderr does not match ${ERR}\n")
endif()
if(DEFINED FILE)
  if(NOT EXISTS "${FILE}")
    string(APPEND failed "${FILE} was not written\n")
  elseif(DEFINED SIZE)
    file(SIZE "${FILE}" size)
    if(NOT size EQUAL SIZE)
      string(APPEND failed "${FILE} has ${size} bytes, expected ${SIZE}\n")
    endif()
  endif()
endif()
if(failed)
  message(FATAL_ERROR "${RUN}\n${failed}stdout:\n${out}\nstderr:\n${err}")
endif()
