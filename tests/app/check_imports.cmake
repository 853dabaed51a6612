# cmake -DDUMP=titrix.dump.txt -DEXPECTED=app/imports.txt -DHEADERS=sdk/include/quillon/entrypoints -P check_imports.cmake
#
# The image's imports (the "import runtime NAME" lines of quillon-image
# --dump) must be exactly the names of the expected list, and each a QL_ENTRY
# function of the SDK's entry-point headers.
cmake_minimum_required(VERSION 3.25)

file(STRINGS ${DUMP} dump_lines REGEX "^import ")
set(imported)
foreach(line ${dump_lines})
  if(NOT line MATCHES "^import runtime ([A-Za-z0-9_]+) ")
    message(SEND_ERROR "not a runtime entry point: ${line}")
    continue()
  endif()
  list(APPEND imported ${CMAKE_MATCH_1})
endforeach()

file(STRINGS ${EXPECTED} expected REGEX "^[A-Za-z0-9_]+$")

file(GLOB headers ${HEADERS}/*.h)
set(declared)
foreach(header ${headers})
  file(STRINGS ${header} entries REGEX "^QL_ENTRY ")
  foreach(entry ${entries})
    if(entry MATCHES "([A-Za-z0-9_]+)\\(")
      list(APPEND declared ${CMAKE_MATCH_1})
    endif()
  endforeach()
endforeach()

foreach(name ${imported})
  if(NOT name IN_LIST declared)
    message(SEND_ERROR "${name} is imported but no QL_ENTRY of the SDK headers")
  endif()
  if(NOT name IN_LIST expected)
    message(SEND_ERROR "${name} is imported but not in ${EXPECTED}")
  endif()
endforeach()
foreach(name ${expected})
  if(NOT name IN_LIST imported)
    message(SEND_ERROR "${name} is listed in ${EXPECTED} but not imported")
  endif()
endforeach()
list(LENGTH imported count)
message(STATUS "${count} imports, all entry points of the SDK headers")
