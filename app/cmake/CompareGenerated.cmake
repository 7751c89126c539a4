# Runs a generator and checks that its output equals a committed file byte for byte:
#   cmake -DGENERATOR=tool -DEXPECTED=file -DOUTPUT=scratch -P CompareGenerated.cmake
execute_process(COMMAND "${GENERATOR}" "${OUTPUT}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${GENERATOR} failed: ${status}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${OUTPUT}" "${EXPECTED}" RESULT_VARIABLE different)
if(NOT different EQUAL 0)
  message(FATAL_ERROR "${EXPECTED} differs from the output of ${GENERATOR} (${OUTPUT})")
endif()
