# formshot given an output it cannot write: exit status 1, one line naming
# the file, the file as it was and nothing else left in its folder.
#   cmake -DPROGRAM=formshot -DFORM=f -DFOLDER=dir -P ExpectNothingWritten.cmake
# Two faults that stop even root: the output is a folder already, and the
# disk fills up halfway (a file size limit of 512 bytes, with the signal
# that would kill the program ignored, so that its write fails instead).
function(expect_cannot_write output shell_prefix)
  execute_process(COMMAND sh -c "${shell_prefix} exec \"$0\" \"$1\" \"$2\"" "${PROGRAM}" "${FORM}" "${output}"
    RESULT_VARIABLE status ERROR_VARIABLE errors)
  string(REGEX REPLACE "QStandardPaths:[^\n]*\n" "" errors "${errors}")
  string(STRIP "${errors}" errors)
  if(NOT status STREQUAL 1 OR NOT errors STREQUAL "formshot: Cannot write ${output}")
    message(FATAL_ERROR "${output}: exit status ${status}, standard error:\n${errors}")
  endif()
endfunction()

file(REMOVE_RECURSE "${FOLDER}")
file(MAKE_DIRECTORY "${FOLDER}/taken.png")
file(WRITE "${FOLDER}/old.png" "the picture before")
expect_cannot_write("${FOLDER}/taken.png" "")
expect_cannot_write("${FOLDER}/old.png" "trap '' XFSZ; ulimit -f 1;")

file(GLOB_RECURSE left RELATIVE "${FOLDER}" LIST_DIRECTORIES true "${FOLDER}/*")
list(SORT left)
file(READ "${FOLDER}/old.png" old)
if(NOT left STREQUAL "old.png;taken.png" OR NOT old STREQUAL "the picture before")
  message(FATAL_ERROR "left in ${FOLDER}: ${left}; old.png holds '${old}'")
endif()
