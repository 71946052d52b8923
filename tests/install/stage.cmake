# cmake -DBUILD_DIR=... -DPREFIX=... -P stage.cmake: installs the build into an empty PREFIX.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} COMMAND_ERROR_IS_FATAL ANY)
foreach(file bin/tarnvel include/tarnvel/host.hpp include/tarnvel/wire.h)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "cmake --install did not install ${file}")
  endif()
endforeach()
