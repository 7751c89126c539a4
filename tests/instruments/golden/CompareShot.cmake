# Renders a form with formshot and compares the PNG byte for byte with a
# committed golden image:
#   cmake -DPROGRAM=formshot -DFORM=f.txt -DGOLDEN=g.png -DOUT=o.png -DARGS=a|b -P CompareShot.cmake
# (extra formshot arguments separated by "|"). Numbers use the C locale.
# With TINTORAL_UPDATE_GOLDEN=1 in the environment the rendered picture
# replaces the golden image instead:
#   TINTORAL_UPDATE_GOLDEN=1 ctest -R '^golden_'
string(REPLACE "|" ";" args "${ARGS}")
set(ENV{LC_ALL} C)
execute_process(COMMAND "${PROGRAM}" "${FORM}" "${OUT}" ${args} RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "formshot failed (${status}):\n${errors}")
endif()
if("$ENV{TINTORAL_UPDATE_GOLDEN}" STREQUAL "1")
  file(COPY_FILE "${OUT}" "${GOLDEN}")
  return()
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${OUT}" "${GOLDEN}" RESULT_VARIABLE different)
if(different)
  message(FATAL_ERROR "${OUT} differs from ${GOLDEN}")
endif()
