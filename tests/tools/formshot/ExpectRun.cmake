# Runs a program and checks its exit status, its standard error and, when
# OUTPUT is given, its standard output:
#   cmake -DPROGRAM=p -DSTATUS=n -DPATTERN=regex [-DOUTPUT=regex] -DARGS=a|b|c -P ExpectRun.cmake
# (arguments separated by "|"). Nothing else may appear on standard error:
# no diagnostics of Qt's either.
string(REPLACE "|" ";" args "${ARGS}")
execute_process(COMMAND "${PROGRAM}" ${args} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
string(STRIP "${errors}" errors)
if(NOT status STREQUAL STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${STATUS}; standard error:\n${errors}")
endif()
if(NOT errors MATCHES "${PATTERN}")
  message(FATAL_ERROR "standard error does not match '${PATTERN}':\n${errors}")
endif()
if(DEFINED OUTPUT AND NOT output MATCHES "${OUTPUT}")
  message(FATAL_ERROR "standard output does not match '${OUTPUT}':\n${output}")
endif()
