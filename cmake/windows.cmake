# Windows builds (cmake/toolchain-mingw-*.cmake): the library file's export and its check, static
# runtimes for the programs, the build machine's header-only packages for the command, and the tests
# that run under wine64. Included by the top CMakeLists.txt after the library targets.

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

# CLI11, nlohmann-json and Boost.JSON are header-only: the build machine's copies serve the cross build. Their
# headers are linked into a folder of their own (never the build machine's whole include folder,
# whose C headers would shadow mingw's) and small package files point find_package there.
set(TARNVEL_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
set(TARNVEL_HOST_PACKAGES ${CMAKE_BINARY_DIR}/host-packages)
file(MAKE_DIRECTORY ${TARNVEL_HOST_HEADERS})
foreach(folder nlohmann CLI boost)
  if(EXISTS /usr/include/${folder} AND NOT EXISTS ${TARNVEL_HOST_HEADERS}/${folder})
    file(CREATE_LINK /usr/include/${folder} ${TARNVEL_HOST_HEADERS}/${folder} SYMBOLIC)
  endif()
endforeach()
function(tarnvel_host_package package target version_file)
  if(NOT EXISTS ${version_file})
    return()
  endif()
  set(dir ${TARNVEL_HOST_PACKAGES}/${package})
  file(COPY ${version_file} DESTINATION ${dir})
  file(WRITE ${dir}/${package}Config.cmake
    "if(NOT TARGET ${target})\n"
    "  add_library(${target} INTERFACE IMPORTED)\n"
    "  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES \"${TARNVEL_HOST_HEADERS}\")\n"
    "endif()\n")
  set(${package}_DIR ${dir} CACHE PATH "The build machine's header-only ${package} for the cross build" FORCE)
endfunction()
tarnvel_host_package(nlohmann_json nlohmann_json::nlohmann_json
                     /usr/share/cmake/nlohmann_json/nlohmann_jsonConfigVersion.cmake)
tarnvel_host_package(CLI11 CLI11::CLI11 /usr/share/cmake/CLI11/CLI11ConfigVersion.cmake)
file(GLOB TARNVEL_BOOST_VERSION_FILE /usr/lib/*/cmake/Boost-*/BoostConfigVersion.cmake)
if(TARNVEL_BOOST_VERSION_FILE)
  list(GET TARNVEL_BOOST_VERSION_FILE -1 TARNVEL_BOOST_VERSION_FILE)
  tarnvel_host_package(Boost Boost::headers ${TARNVEL_BOOST_VERSION_FILE})  # Boost.JSON, header-only
endif()

# The Windows tests (tests/windows), run under wine64 by ctest through the toolchain's emulator.
option(TARNVEL_WINDOWS_TESTS "Build the Windows tests (GoogleTest built from /usr/src/googletest)" OFF)
if(TARNVEL_WINDOWS_TESTS)
  enable_testing()
  add_subdirectory(tests/windows)
endif()
