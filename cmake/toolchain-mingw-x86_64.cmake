# Cross build for 64-bit Windows with Debian's mingw-w64 compilers (package g++-mingw-w64-x86-64).
# The win32 thread model is taken: with the posix one the library would carry winpthreads, which
# takes a thread-local slot at each load of the file and never gives it back, so a host that loads
# and releases the library a thousand times would run out. (So library code uses no std::thread,
# and no thread_local either: the compiler's emulated thread-locals leak a slot the same way.) The
# Windows targets link the runtime statically, so the built files need no compiler DLL beside
# them. Programs built here run under wine64 (the test preset uses it as the emulator).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(TARNVEL_MINGW_TRIPLE x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${TARNVEL_MINGW_TRIPLE}-gcc-win32 ${TARNVEL_MINGW_TRIPLE}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${TARNVEL_MINGW_TRIPLE}-g++-win32 ${TARNVEL_MINGW_TRIPLE}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${TARNVEL_MINGW_TRIPLE}-windres)
find_program(TARNVEL_OBJDUMP NAMES ${TARNVEL_MINGW_TRIPLE}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${TARNVEL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Tests and the command run through wine64 (ctest and add_test use this emulator).
find_program(TARNVEL_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT TARNVEL_WINE64)
  find_program(TARNVEL_WINE64 NAMES wine64 wine)
endif()
if(TARNVEL_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TARNVEL_WINE64})
endif()
