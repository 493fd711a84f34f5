# cmake -DLIBRARY=<libhidbridge.so> -P check_exports.cmake
# Fails unless the library's dynamic symbol table defines exactly readi2c and writei2c.
execute_process(COMMAND nm -D --defined-only ${LIBRARY}
  OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "nm could not read ${LIBRARY}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${listing}")
set(exported)
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^.* " "" name "${line}")
  list(APPEND exported ${name})
endforeach()
list(SORT exported)
if(NOT exported STREQUAL "readi2c;writei2c")
  message(FATAL_ERROR "libhidbridge exports [${exported}], expected [readi2c;writei2c]")
endif()
message(STATUS "exports: ${exported}")
