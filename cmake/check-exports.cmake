# Reads a built Windows library file's export and import tables with the mingw objdump and fails
# unless DispatchAPI is its only export (undecorated) and it needs no DLL of the compiler's runtime.
#   cmake -DOBJDUMP=i686-w64-mingw32-objdump -DFILE=build/windows-x86/tarnvel.fll -P cmake/check-exports.cmake
# A failure's text goes out unwrapped (a FATAL_ERROR message is wrapped at about 80 columns, which
# would split it at a place that depends on the length of the path), then the script fails.
function(fail text)
  message(NOTICE "${text}")
  message(FATAL_ERROR "export check failed")
endfunction()

if(NOT OBJDUMP OR NOT FILE)
  message(FATAL_ERROR "usage: cmake -DOBJDUMP=<mingw objdump> -DFILE=<library file> -P check-exports.cmake")
endif()
execute_process(COMMAND ${OBJDUMP} -p ${FILE}
                OUTPUT_VARIABLE dump ERROR_VARIABLE dump_error RESULT_VARIABLE failed)
if(failed)
  fail("${OBJDUMP} -p ${FILE} failed: ${dump_error}")
endif()
string(REPLACE ";" "," dump "${dump}")
string(REPLACE "\n" ";" lines "${dump}")

# The export names are the lines "[   0] Name" after "[Ordinal/Name Pointer] Table" (an older objdump
# calls it "[Name Pointer/Ordinal] Table" at the same place); the section ends at a blank line.
set(exports)
set(imports)
set(in_names FALSE)
foreach(line IN LISTS lines)
  if(line MATCHES "^\\[Ordinal/Name Pointer\\] Table")
    set(in_names TRUE)
  elseif(in_names AND line MATCHES "^[\t ]*\\[ *[0-9]+\\] (.+)$")
    list(APPEND exports "${CMAKE_MATCH_1}")
  elseif(in_names)
    set(in_names FALSE)
  endif()
  if(line MATCHES "^[\t ]*DLL Name: (.+)$")
    list(APPEND imports "${CMAKE_MATCH_1}")
  endif()
endforeach()

if(NOT exports STREQUAL "DispatchAPI")
  list(JOIN exports ", " shown)
  fail("${FILE}: the exports must be DispatchAPI alone, found: [${shown}]")
endif()
foreach(dll IN LISTS imports)
  string(TOLOWER "${dll}" dll_lower)
  if(dll_lower MATCHES "^(libstdc\\+\\+|libgcc|libwinpthread)")
    fail("${FILE}: needs ${dll}; the C++ runtime must be linked in")
  endif()
endforeach()
list(JOIN imports ", " shown)
message(STATUS "${FILE}: exports DispatchAPI only; imports ${shown}")
