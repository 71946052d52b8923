# cmake "-DCOMMAND=program;arg;..." "-DEXPECT=text" -P expect.cmake: runs the command and fails
# unless it exits with 0 and prints EXPECT (and a line break) on standard output.
execute_process(COMMAND ${COMMAND} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT out STREQUAL "${EXPECT}\n")
  message(FATAL_ERROR "${COMMAND}\nexit status: ${status}\nprinted: ${out}\nexpected: ${EXPECT}\nerrors: ${err}")
endif()
