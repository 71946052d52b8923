# Cross build for 64-bit Windows with Debian's mingw-w64 compilers (package g++-mingw-w64-x86-64).
# Programs built here run under wine64 (the test preset uses it as the emulator).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(TARNVEL_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)

# Tests and the command run through wine64 (ctest and add_test use this emulator).
find_program(TARNVEL_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT TARNVEL_WINE64)
  find_program(TARNVEL_WINE64 NAMES wine64 wine)
endif()
if(TARNVEL_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TARNVEL_WINE64})
endif()
