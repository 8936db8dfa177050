# Each malformed script, written to SCRATCH in the build tree, must stop
# tuvo-replay with status 2 and a message naming the bad line.
set(cases
    "Command2\nCommand4\n|line 2:"
    "Text1\t12\nText3\tx\n|line 2:"
    "# comment\n\nText1\n|line 3:"
    "Text2\tbad \\q escape\n|line 1:"
    "Text2\t\\x4\n|line 1:"
    "Text1\tcarriage\r\n|line 1:"
)
function(expect_refused file expected)
    execute_process(COMMAND ${REPLAY} INPUT_FILE ${file}
                    OUTPUT_VARIABLE printed ERROR_VARIABLE errors RESULT_VARIABLE status)
    if(NOT status EQUAL 2)
        message(FATAL_ERROR "status ${status}, not 2, for script:\n${script}")
    endif()
    string(FIND "${errors}" "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "no '${expected}' in '${errors}' for script:\n${script}")
    endif()
endfunction()

foreach(case IN LISTS cases)
    string(REPLACE "|" ";" parts "${case}")
    list(GET parts 0 script)
    list(GET parts 1 expected)
    file(WRITE ${SCRATCH} "${script}")
    expect_refused(${SCRATCH} "${expected}")
endforeach()
set(script "bytes that are not UTF-8")
expect_refused(${CMAKE_CURRENT_LIST_DIR}/bad-utf8.txt "line 2: invalid UTF-8")
