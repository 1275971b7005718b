# Builds natively with Clang and LLVM's C++ library, libc++, in place of
# GCC's libstdc++ (Debian packages clang, libc++-dev and libc++abi-dev).
find_program(CMAKE_CXX_COMPILER NAMES clang++)
if(NOT CMAKE_CXX_COMPILER)
  message(FATAL_ERROR "clang++ not found: install Debian's clang, libc++-dev and libc++abi-dev.")
endif()

set(CMAKE_CXX_FLAGS_INIT "-stdlib=libc++")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-stdlib=libc++")
