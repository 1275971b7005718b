# Checks that a Windows executable is a 64-bit x86-64 console program whose
# imports name only Windows' own DLLs, so it runs without any file beside it.
#
#   cmake -D OBJDUMP=<objdump> -D PROGRAM=<exe> -P check_pe.cmake

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM}
  OUTPUT_VARIABLE headers RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${PROGRAM} failed: ${status}")
endif()

set(failures "")
foreach(expected IN ITEMS
    "file format pei-x86-64"
    "Magic\t\t\t020b\t(PE32+)"
    "Subsystem\t\t00000003\t(Windows CUI)")
  string(FIND "${headers}" "${expected}" at)
  if(at EQUAL -1)
    string(APPEND failures "missing: ${expected}\n")
  endif()
endforeach()

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
if(NOT imports)
  string(APPEND failures "no imported DLL found\n")
endif()
foreach(import IN LISTS imports)
  string(TOLOWER "${import}" import)
  if(NOT import MATCHES "^dll name: (kernel32|msvcrt|ucrtbase|api-ms-win-crt-[a-z0-9-]+)\\.dll$")
    string(APPEND failures "imports a DLL that Windows does not ship: ${import}\n")
  endif()
endforeach()

if(failures)
  message(FATAL_ERROR "${PROGRAM}:\n${failures}")
endif()
