# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (posix threads
# variant) and runs the results under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)

find_program(CMAKE_CXX_COMPILER NAMES ${triple}-g++-posix)
if(NOT CMAKE_CXX_COMPILER)
  message(FATAL_ERROR
    "${triple}-g++-posix not found: install the cross compiler "
    "(Debian package g++-mingw-w64-x86-64-posix).")
endif()

# Compiles the version resource and manifest into each .exe.
find_program(CMAKE_RC_COMPILER NAMES ${triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Lets the tests run the Windows executables here.
find_program(WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE})
endif()
