# Fuzz entry points: every parser of outside data has one, a function
# LLVMFuzzerTestOneInput in tests/<layer>/fuzz/<name>.cpp, with its
# minimised corpus in tests/<layer>/fuzz/corpus/<name> and the inputs that
# once found a fault in tests/<layer>/fuzz/regressions/<name>.
#
# With -DQL_FUZZ=ON (clang; the `fuzz` preset) every library of the build is
# compiled with libFuzzer's coverage and with ASan and UBSan, and each entry
# point links libFuzzer's main. Otherwise each entry point links a driver
# (tests/support/fuzz_corpus_driver.cpp) that runs it over its seeds, corpus
# and regressions, as a CTest test.
option(QL_FUZZ "Build the fuzz entry points as libFuzzer targets (clang)" OFF)
# `harness` instruments the entry points alone: what libFuzzer would see if
# the code under test were left out, to compare with `all`.
set(QL_FUZZ_COVERAGE all CACHE STRING "Code a fuzz build instruments for coverage: all, or harness")
set_property(CACHE QL_FUZZ_COVERAGE PROPERTY STRINGS all harness)

if(QL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "QL_FUZZ=ON needs clang (cmake --preset fuzz selects it)")
  endif()
  if(NOT QL_FUZZ_COVERAGE MATCHES "^(all|harness)$")
    message(FATAL_ERROR "QL_FUZZ_COVERAGE is all or harness, not '${QL_FUZZ_COVERAGE}'")
  endif()
  set(ql_fuzz_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  if(QL_FUZZ_COVERAGE STREQUAL "all")
    add_compile_options(-fsanitize=fuzzer-no-link ${ql_fuzz_sanitizers})
  else()
    add_compile_options(${ql_fuzz_sanitizers})
  endif()
  add_link_options(-fsanitize=address,undefined)
  # Every fuzz target, and their list for scripts/fuzz.sh: name, executable,
  # corpus, regressions, seeds (tab-separated; seeds separated by ';').
  add_custom_target(fuzz_targets)
  set(QL_FUZZ_LIST ${CMAKE_BINARY_DIR}/fuzz-targets.tsv)
  file(WRITE ${QL_FUZZ_LIST} "")
endif()

# ql_add_fuzz_target(name DIR layer [LIBS ...] [SOURCES ...] [SEEDS file...] [DEPENDS target...])
#   name: tests/<layer>/fuzz/<name>.cpp; SOURCES: further sources it needs;
#   SEEDS: inputs made at build time (by DEPENDS), used beside the corpus.
function(ql_add_fuzz_target name)
  cmake_parse_arguments(F "" "DIR;PROCESS_RUNS" "LIBS;SOURCES;SEEDS;DEPENDS;FLAGS" ${ARGN})
  set(folder ${PROJECT_SOURCE_DIR}/tests/${F_DIR}/fuzz)
  set(corpus ${folder}/corpus/${name})
  set(regressions ${folder}/regressions/${name})
  # Globbed so that a new corpus or regression file configures again.
  file(GLOB inputs CONFIGURE_DEPENDS ${corpus}/* ${regressions}/*)
  set(input_dirs)
  foreach(dir ${corpus} ${regressions})
    if(EXISTS ${dir})
      list(APPEND input_dirs ${dir})
    endif()
  endforeach()

  if(QL_FUZZ)
    add_executable(${name} ${folder}/${name}.cpp ${F_SOURCES})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzzers)
    add_dependencies(fuzz_targets ${name})
    # PROCESS_RUNS: the most executions one campaign process makes; FLAGS:
    # libFuzzer flags of this target's campaigns. "-" stands for none,
    # because the script's read would merge two tabs.
    set(process_runs "-")
    if(F_PROCESS_RUNS)
      set(process_runs ${F_PROCESS_RUNS})
    endif()
    set(flags "-")
    if(F_FLAGS)
      string(JOIN ";" flags ${F_FLAGS})
    endif()
    string(JOIN "\t" line ${name} ${CMAKE_BINARY_DIR}/fuzzers/${name} ${corpus} ${regressions} ${process_runs} "${flags}"
           "${F_SEEDS}")
    file(APPEND ${QL_FUZZ_LIST} "${line}\n")
  else()
    add_executable(${name} ${folder}/${name}.cpp ${F_SOURCES} ${PROJECT_SOURCE_DIR}/tests/support/fuzz_corpus_driver.cpp)
    add_test(NAME ${name} COMMAND ${name} ${F_SEEDS} ${input_dirs})
  endif()
  ql_target_defaults(${name})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  if(F_DEPENDS)
    add_dependencies(${name} ${F_DEPENDS})
  endif()
endfunction()
