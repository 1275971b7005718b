# Runs one program once and checks everything it did.
#
#   cmake -D PROGRAM=<exe> -D INPUT=<file> [-D EXPECTED=<file>]
#         [-D EMULATOR=<command;args>] [-D ARGS=<arg;arg>] [-D CRLF=ON]
#         [-D STDIN=closed] [-D STDOUT=closed|full]
#         [-D STRACE=<strace> -D WRITES=<file> -D TRACE=<file>]
#         -P run_case.cmake
#
# The program's stdin is INPUT, never the caller's terminal. Its stdout must
# equal EXPECTED byte for byte (each "\n" written as "\r\n" when CRLF is on,
# as text-mode streams on Windows write it), its stderr must be empty and its
# exit status 0. With STDOUT closed or full there is no stdout to compare:
# the program has to finish quietly all the same. With STRACE, the program's
# write system calls, as strace records them in TRACE, must equal WRITES.

set(command ${EMULATOR} ${PROGRAM} ${ARGS})

if(STRACE)
  set(command ${STRACE} -a0 -qq -e signal=none
    -e trace=write,writev,pwrite64,pwritev,pwritev2 -o ${TRACE} -- ${command})
endif()

set(closes "")
if(STDIN STREQUAL "closed")
  string(APPEND closes " <&-")
endif()
if(STDOUT STREQUAL "closed")
  string(APPEND closes " >&-")
endif()
if(closes)
  set(command sh -c "exec \"$@\"${closes}" sh ${command})
endif()

if(STDOUT STREQUAL "full")
  set(output OUTPUT_FILE /dev/full)
else()
  set(output OUTPUT_VARIABLE actual)
endif()

execute_process(COMMAND ${command}
  INPUT_FILE "${INPUT}"
  ${output}
  ERROR_VARIABLE errors
  RESULT_VARIABLE status
  TIMEOUT 60)

# Shows a string on one line with its control characters spelled out.
function(visible out text)
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\r" "\\r" text "${text}")
  string(REPLACE "\n" "\\n" text "${text}")
  string(REPLACE "\t" "\\t" text "${text}")
  set(${out} "\"${text}\"" PARENT_SCOPE)
endfunction()

# Appends a report to `failures` unless `actual` equals `expected`.
function(compare what expected actual)
  if(NOT actual STREQUAL expected)
    string(LENGTH "${expected}" expected_length)
    string(LENGTH "${actual}" actual_length)
    visible(expected "${expected}")
    visible(actual "${actual}")
    string(APPEND failures "${what} differs:\n"
      "  expected (${expected_length} bytes): ${expected}\n"
      "  actual   (${actual_length} bytes): ${actual}\n")
    set(failures "${failures}" PARENT_SCOPE)
  endif()
endfunction()

set(failures "")
compare("exit status" "0" "${status}")
compare("stderr" "" "${errors}")
if(DEFINED EXPECTED)
  file(READ "${EXPECTED}" expected)
  if(CRLF)
    string(REPLACE "\n" "\r\n" expected "${expected}")
  endif()
  compare("stdout" "${expected}" "${actual}")
endif()
if(STRACE)
  file(READ "${WRITES}" expected)
  file(READ "${TRACE}" actual)
  compare("write calls" "${expected}" "${actual}")
endif()

if(failures)
  list(JOIN command " " shown)
  message(FATAL_ERROR "${shown} < ${INPUT}\n${failures}")
endif()
