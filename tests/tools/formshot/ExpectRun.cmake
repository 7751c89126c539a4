# Runs a program and checks its exit status and standard error:
#   cmake -DPROGRAM=p -DSTATUS=n -DPATTERN=regex -DARGS=a|b|c -P ExpectRun.cmake
# (arguments separated by "|"). Qt's own diagnostics are left out of the check.
string(REPLACE "|" ";" args "${ARGS}")
execute_process(COMMAND "${PROGRAM}" ${args} RESULT_VARIABLE status ERROR_VARIABLE errors)
string(REGEX REPLACE "QStandardPaths:[^\n]*\n" "" errors "${errors}")
string(STRIP "${errors}" errors)
if(NOT status STREQUAL STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${STATUS}; standard error:\n${errors}")
endif()
if(NOT errors MATCHES "${PATTERN}")
  message(FATAL_ERROR "standard error does not match '${PATTERN}':\n${errors}")
endif()
