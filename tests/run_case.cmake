# Runs one program once and checks everything it did.
#
#   cmake -D PROGRAM=<exe> -D INPUT=<file> -D RESULTS=<path prefix>
#         [-D EXPECTED=<file>] [-D EMULATOR=<command;args>] [-D ARGS=<arg;arg>]
#         [-D CRLF=ON] [-D STDIN=closed] [-D STDOUT=closed|full]
#         [-D STRACE=<strace> -D WRITES=<file>] [-D VALGRIND=<valgrind>]
#         -P run_case.cmake
#
# The program's stdin is INPUT, never the caller's terminal. Its stdout must
# equal EXPECTED byte for byte (each "\n" written as "\r\n" when CRLF is on,
# as text-mode streams on Windows write it), its stderr must be empty and its
# exit status 0. With STDOUT closed or full there is no stdout to compare:
# the program has to finish quietly all the same. With STRACE, the program's
# write system calls, as strace records them, must equal WRITES. With
# VALGRIND, the program runs under memcheck, and any error it finds (an
# uninitialised read, an invalid access, a leak) fails the case.
#
# What the program wrote is kept in files named after RESULTS and compared
# in hex: execute_process would drop NUL bytes and the "\r" of "\r\n" from
# an OUTPUT_VARIABLE.

set(command ${EMULATOR} ${PROGRAM} ${ARGS})

if(VALGRIND)
  set(command ${VALGRIND} --quiet --error-exitcode=99 --leak-check=full
    --errors-for-leak-kinds=definite,indirect -- ${command})
endif()

if(STRACE)
  set(command ${STRACE} -a0 -qq -e signal=none
    -e trace=write,writev,pwrite64,pwritev,pwritev2 -o ${RESULTS}.trace
    -- ${command})
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

set(stdout ${RESULTS}.stdout)
if(STDOUT STREQUAL "full")
  set(stdout /dev/full)
endif()

file(REMOVE ${RESULTS}.stdout ${RESULTS}.stderr ${RESULTS}.trace)
execute_process(COMMAND ${command}
  INPUT_FILE "${INPUT}"
  OUTPUT_FILE "${stdout}"
  ERROR_FILE "${RESULTS}.stderr"
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

# Appends a report to `failures` unless the file holds exactly `expected`.
function(compare what expected file)
  string(HEX "${expected}" expected_hex)
  file(READ "${file}" actual_hex HEX)
  if(NOT actual_hex STREQUAL expected_hex)
    file(READ "${file}" actual)
    visible(expected "${expected}")
    visible(actual "${actual}")
    string(LENGTH "${expected_hex}" expected_length)
    string(LENGTH "${actual_hex}" actual_length)
    math(EXPR expected_length "${expected_length} / 2")
    math(EXPR actual_length "${actual_length} / 2")
    string(APPEND failures "${what} differs:\n"
      "  expected (${expected_length} bytes): ${expected}\n"
      "                      hex: ${expected_hex}\n"
      "  actual   (${actual_length} bytes): ${actual}\n"
      "                      hex: ${actual_hex}\n")
    set(failures "${failures}" PARENT_SCOPE)
  endif()
endfunction()

set(failures "")
if(NOT status STREQUAL "0")
  string(APPEND failures "exit status: expected 0, got ${status}\n")
endif()
compare("stderr" "" ${RESULTS}.stderr)
if(DEFINED EXPECTED)
  file(READ "${EXPECTED}" expected)
  if(CRLF)
    string(REPLACE "\n" "\r\n" expected "${expected}")
  endif()
  compare("stdout" "${expected}" ${stdout})
endif()
if(STRACE)
  file(READ "${WRITES}" expected)
  compare("write calls" "${expected}" ${RESULTS}.trace)
endif()

if(failures)
  list(JOIN command " " shown)
  message(FATAL_ERROR "${shown} < ${INPUT}\n${failures}")
endif()
