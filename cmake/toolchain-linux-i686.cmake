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

# TARNVEL_STAGED_ROOTS: folders a build installed into (the installed-package tests), searched as they are.
set(CMAKE_FIND_ROOT_PATH ${TARNVEL_CROSS_ROOT} ${TARNVEL_STAGED_ROOTS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

#
# The cross root has no iconv modules (code pages other than UTF-8 and latin1); the 32-bit multiarch
# C library's (package libc6-i386, the same glibc release) serve through GCONV_PATH. Only its modules:
# a module binds to the C library already loaded. Its loader or its libc in place of the cross root's
# (LD_LIBRARY_PATH=/usr/lib32, or -L /) is the mix above, and the program hangs at its first thread.
set(TARNVEL_CROSS_GCONV /usr/lib32/gconv)

find_program(TARNVEL_QEMU_I386 NAMES qemu-i386)
if(TARNVEL_QEMU_I386)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      ${TARNVEL_QEMU_I386} -L ${TARNVEL_CROSS_ROOT} -E LD_LIBRARY_PATH=${TARNVEL_CROSS_ROOT}/lib
      -E GCONV_PATH=${TARNVEL_CROSS_GCONV})
  if(NOT EXISTS ${TARNVEL_CROSS_GCONV}/gconv-modules)
    message(WARNING "No iconv modules in ${TARNVEL_CROSS_GCONV} (package libc6-i386): the command's code-page "
                    "tests fail under qemu-i386 (scripts/install-deps --linux-x86 installs them)")
  endif()
endif()
