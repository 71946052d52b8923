# Cross build for 32-bit Windows with Debian's mingw-w64 compilers (package g++-mingw-w64-i686).
# wine64 runs 64-bit programs only, so what is built here is checked but not run.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(TARNVEL_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
