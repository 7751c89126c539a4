# Runs a generator and checks that a committed file holds its output verbatim:
#   cmake -DGENERATOR=tool -DARGS=args -DFILE=file -P ContainsGenerated.cmake
execute_process(COMMAND "${GENERATOR}" ${ARGS} RESULT_VARIABLE status OUTPUT_VARIABLE generated)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${GENERATOR} failed: ${status}")
endif()
file(READ "${FILE}" content)
string(FIND "${content}" "${generated}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${FILE} does not hold the output of ${GENERATOR}")
endif()
