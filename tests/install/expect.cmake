# cmake "-DCOMMAND=program;arg;..." "-DEXPECT=text" -P expect.cmake: runs the command and fails
# unless it exits with 0 and prints EXPECT and a line break on standard output (runs of blanks
# compare as one: the test driver's command line does not keep them).
execute_process(COMMAND ${COMMAND} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(REGEX REPLACE " +" " " got "${out}")
string(REGEX REPLACE " +" " " want "${EXPECT}")
string(STRIP "${got}" got)
string(STRIP "${want}" want)
if(NOT status EQUAL 0 OR NOT got STREQUAL want OR NOT out MATCHES "\n$")
  message(FATAL_ERROR "${COMMAND}\nexit status: ${status}\nprinted: [${out}]\nexpected: [${EXPECT}]\nerrors: ${err}")
endif()
