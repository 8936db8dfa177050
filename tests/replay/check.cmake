# Runs tuvo-replay on SCRIPT and compares what it prints with EXPECTED.
execute_process(COMMAND ${REPLAY} INPUT_FILE ${SCRIPT}
                OUTPUT_VARIABLE printed ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "tuvo-replay exited with ${status}: ${errors}")
endif()
file(READ ${EXPECTED} expected)
if(NOT printed STREQUAL expected)
    message(FATAL_ERROR "tuvo-replay printed:\n${printed}\nexpected:\n${expected}")
endif()
