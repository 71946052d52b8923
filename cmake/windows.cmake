# Windows builds (cmake/toolchain-mingw-*.cmake): the library file's export and its check, static
# runtimes for the programs, and the tests that run under wine64. Included by the top CMakeLists.txt
# after the library targets.

# DispatchAPI is exported undecorated: fastcall would export it as @DispatchAPI@4 on 32-bit builds,
# and FoxPro looks for the plain name.
target_link_options(tarnvel_library PRIVATE -Wl,--kill-at $<$<CONFIG:Release,MinSizeRel>:-s>)

# The built file's export table: DispatchAPI alone, and no DLL of the compiler's runtime needed.
if(NOT TARNVEL_OBJDUMP)
  set(TARNVEL_OBJDUMP ${CMAKE_OBJDUMP})
endif()
if(TARNVEL_OBJDUMP)
  add_custom_command(TARGET tarnvel_library POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${TARNVEL_OBJDUMP} -DFILE=$<TARGET_FILE:tarnvel_library>
            -P ${PROJECT_SOURCE_DIR}/cmake/check-exports.cmake
    COMMENT "Checking the export table of $<TARGET_FILE_NAME:tarnvel_library>"
    VERBATIM)
else()
  message(WARNING "No mingw objdump found: the export table of the library file is not checked")
endif()

# Programs stand alone too, so wine64 (or Windows) runs them without the compiler's DLLs.
string(APPEND CMAKE_EXE_LINKER_FLAGS " -static -static-libgcc -static-libstdc++")

# The Windows tests (tests/windows), run under wine64 by ctest through the toolchain's emulator.
option(TARNVEL_WINDOWS_TESTS "Build the Windows tests (GoogleTest built from /usr/src/googletest)" OFF)
if(TARNVEL_WINDOWS_TESTS)
  enable_testing()
  add_subdirectory(tests/windows)
endif()
