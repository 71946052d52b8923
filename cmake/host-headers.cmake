# Cross builds: CLI11, nlohmann-json and Boost.JSON are header-only, so the build machine's copies serve the
# command and the tools. Their headers are linked into a folder of their own (never the build
# machine's whole include folder, whose C headers would shadow the cross compiler's) and small
# package files point find_package there. Included by the top CMakeLists.txt.
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
