# What both mingw-w64 toolchain files share; each sets TARNVEL_MINGW_TRIPLE and includes this.
# The win32 thread model is taken: with the posix one the library would carry winpthreads, which
# takes a thread-local slot at each load of the file and never gives it back, so a host that loads
# and releases the library a thousand times would run out. (So library code uses no std::thread,
# and no thread_local either: the compiler's emulated thread-locals leak a slot the same way.) The
# Windows targets link the runtime statically, so the built files need no compiler DLL beside
# them.
find_program(CMAKE_C_COMPILER NAMES ${TARNVEL_MINGW_TRIPLE}-gcc-win32 ${TARNVEL_MINGW_TRIPLE}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${TARNVEL_MINGW_TRIPLE}-g++-win32 ${TARNVEL_MINGW_TRIPLE}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${TARNVEL_MINGW_TRIPLE}-windres)
find_program(TARNVEL_OBJDUMP NAMES ${TARNVEL_MINGW_TRIPLE}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${TARNVEL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
