# Cross-compiles for Windows with the MinGW-w64 toolchain of the target named
# by mingw_target (Debian packages g++-mingw-w64-i686, g++-mingw-w64-x86-64).
# The POSIX thread model is the one whose C++ library has std::mutex, which
# GoogleTest needs; the program uses no threads, and static linking keeps the
# thread library out of its imports.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${mingw_target}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_target}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_target}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_target})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
