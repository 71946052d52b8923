# Installation (cmake --install): the loadable library, the C++ facade with the library linked in,
# the public headers, the tarnvel command, a CMake package and a pkg-config file.
#
#   lib/libtarnvel.so                     the loadable library (DispatchAPI only): tarnvel::library
#   lib/libtarnvel_{linked,embed,core}.a  the facade, the substitute host, the library: tarnvel::tarnvel
#   lib/libtarnvel_residue.a              the residue check: tarnvel::residue
#   include/tarnvel/                      the public headers (facade, wire structures, residue check)
#   bin/tarnvel                           the command
#   lib/cmake/tarnvel/                    find_package(tarnvel CONFIG)
#   lib/pkgconfig/tarnvel.pc              pkg-config --cflags --libs tarnvel
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set_target_properties(tarnvel_linked PROPERTIES EXPORT_NAME tarnvel)
set_target_properties(tarnvel_embed PROPERTIES EXPORT_NAME embed)
set_target_properties(tarnvel_core PROPERTIES EXPORT_NAME core)
set_target_properties(tarnvel_library PROPERTIES EXPORT_NAME library)
target_compile_features(tarnvel_linked INTERFACE cxx_std_20)  # host.hpp is C++20
set(TARNVEL_INSTALLED tarnvel_linked tarnvel_embed tarnvel_core tarnvel_library)
if(TARGET tarnvel_residue)
  set_target_properties(tarnvel_residue PROPERTIES EXPORT_NAME residue)
  target_compile_features(tarnvel_residue INTERFACE cxx_std_20)
  list(APPEND TARNVEL_INSTALLED tarnvel_residue)
endif()

install(TARGETS ${TARNVEL_INSTALLED}
        EXPORT tarnvelTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
if(TARGET tarnvel_cli)
  install(TARGETS tarnvel_cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(DIRECTORY include/tarnvel DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

set(TARNVEL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/tarnvel)
install(EXPORT tarnvelTargets NAMESPACE tarnvel:: DESTINATION ${TARNVEL_CMAKE_DIR})
configure_package_config_file(cmake/tarnvelConfig.cmake.in ${PROJECT_BINARY_DIR}/tarnvelConfig.cmake
                              INSTALL_DESTINATION ${TARNVEL_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/tarnvelConfigVersion.cmake COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/tarnvelConfig.cmake ${PROJECT_BINARY_DIR}/tarnvelConfigVersion.cmake
        DESTINATION ${TARNVEL_CMAKE_DIR})

# The pkg-config file finds the prefix from its own place, so that cmake --install --prefix works.
file(RELATIVE_PATH TARNVEL_PC_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
set(TARNVEL_PC_LIBS "-pthread")
foreach(lib ${CMAKE_DL_LIBS})
  string(APPEND TARNVEL_PC_LIBS " -l${lib}")
endforeach()
configure_file(cmake/tarnvel.pc.in ${PROJECT_BINARY_DIR}/tarnvel.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/tarnvel.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
