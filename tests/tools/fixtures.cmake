# Fixtures of the image builder's tests, made at build time with the mingw
# compilers: the sample image's objects for both machines, and stand-ins for
# the runtime executable (a PE file with the "PICKLE" locator resource).
set(fixture_source ${CMAKE_CURRENT_SOURCE_DIR}/tools/fixtures)
set(fixture_dir ${CMAKE_CURRENT_BINARY_DIR}/tools-fixtures)
file(MAKE_DIRECTORY ${fixture_dir})

set(fixture_outputs)
set(seed_objects)
foreach(machine amd64 i386)
  if(machine STREQUAL "amd64")
    set(prefix x86_64-w64-mingw32)
  else()
    set(prefix i686-w64-mingw32)
  endif()
  ql_find_mingw_compiler(${machine})
  find_program(QL_${machine}_CC NAMES ${prefix}-gcc-posix ${prefix}-gcc REQUIRED)
  find_program(QL_${machine}_WINDRES NAMES ${prefix}-windres REQUIRED)

  ql_compile_image_objects(objects COMPILER ${QL_${machine}_CXX} TAG sample_${machine}
                           SOURCES ${fixture_source}/sample_image.cpp ${QL_IMAGE_SUPPORT_SOURCE})
  list(APPEND fixture_outputs ${objects})
  list(APPEND seed_objects ${objects})

  set(runtime ${fixture_dir}/pickle_${machine}.exe)
  add_custom_command(
    OUTPUT ${runtime}
    COMMAND ${QL_${machine}_WINDRES} ${fixture_source}/pickle_runtime.rc -O coff -o ${fixture_dir}/pickle_${machine}.res.o
    COMMAND ${QL_${machine}_CC} -O1 -s ${fixture_source}/pickle_runtime.c ${fixture_dir}/pickle_${machine}.res.o -o ${runtime}
    DEPENDS ${fixture_source}/pickle_runtime.c ${fixture_source}/pickle_runtime.rc
    COMMENT "Building the PICKLE stand-in for ${machine}"
    VERBATIM)
  list(APPEND fixture_outputs ${runtime})

  # The command line end to end; the result seeds the dump's fuzz corpus.
  set(appended ${fixture_dir}/sample_${machine}.exe)
  add_custom_command(
    OUTPUT ${appended}
    COMMAND quillon-image --entry-points ${QL_IMAGE_ENTRY_POINTS} --manifest ${fixture_source}/sample.manifest
            --append-to ${runtime} -o ${appended} ${objects}
    DEPENDS quillon-image ${runtime} ${objects} ${fixture_source}/sample.manifest
    COMMENT "Building the sample image for ${machine}"
    VERBATIM)
  list(APPEND fixture_outputs ${appended})
  set(QL_SAMPLE_${machine}_OBJECTS ${objects})
endforeach()

# An image the tests run natively (x64 code runs on the x86-64 host).
ql_compile_image_objects(run_objects COMPILER ${QL_amd64_CXX} TAG run_amd64
                         SOURCES ${fixture_source}/run_image.cpp ${QL_IMAGE_SUPPORT_SOURCE})
list(APPEND fixture_outputs ${run_objects})

add_custom_target(tools_test_fixtures DEPENDS ${fixture_outputs})
add_dependencies(tools_tests tools_test_fixtures)
string(REPLACE ";" "|" amd64_objects "${QL_SAMPLE_amd64_OBJECTS}")
string(REPLACE ";" "|" i386_objects "${QL_SAMPLE_i386_OBJECTS}")
string(REPLACE ";" "|" run_objects "${run_objects}")
target_compile_definitions(tools_tests PRIVATE
  QL_FIXTURE_DIR="${fixture_dir}"
  QL_FIXTURE_SOURCE_DIR="${fixture_source}"
  QL_ENTRY_POINTS_DIR="${QL_IMAGE_ENTRY_POINTS}"
  QL_SAMPLE_AMD64_OBJECTS="${amd64_objects}"
  QL_SAMPLE_I386_OBJECTS="${i386_objects}"
  QL_RUN_AMD64_OBJECTS="${run_objects}")

# The COFF reader and the dump over any bytes, seeded with the fixtures.
ql_add_fuzz_target(coff_reader_fuzz DIR tools LIBS ql_imagebuilder SEEDS ${seed_objects} DEPENDS tools_test_fixtures)
ql_add_fuzz_target(image_dump_fuzz DIR tools LIBS ql_imagebuilder
  SEEDS ${fixture_dir}/sample_amd64.exe ${fixture_dir}/sample_i386.exe ${fixture_dir}/pickle_amd64.exe
  DEPENDS tools_test_fixtures)
