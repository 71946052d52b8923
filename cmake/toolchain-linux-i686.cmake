# Cross build for 32-bit x86 Linux with Debian's cross compiler (crossbuild-essential-i386); the
# programs run under qemu-user (package qemu-user), which ctest and add_test use as the emulator.
#
# The emulator's loader and every shared library it loads come from the cross compiler's root: a
# machine that also has the 32-bit multiarch C library (/lib32) would otherwise hand the cross
# loader that other build of libc through the host's loader cache, and a loader and a libc of two
# builds disagree on their shared data (the first thread a program starts then spins for ever).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(TARNVEL_CROSS_ROOT /usr/i686-linux-gnu)
find_program(CMAKE_C_COMPILER NAMES i686-linux-gnu-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES i686-linux-gnu-g++ REQUIRED)

set(CMAKE_FIND_ROOT_PATH ${TARNVEL_CROSS_ROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(TARNVEL_QEMU_I386 NAMES qemu-i386)
if(TARNVEL_QEMU_I386)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      ${TARNVEL_QEMU_I386} -L ${TARNVEL_CROSS_ROOT} -E LD_LIBRARY_PATH=${TARNVEL_CROSS_ROOT}/lib)
endif()
