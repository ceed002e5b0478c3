# libFuzzer targets over the Pagelith sources, each run by a CTest test for a bounded time.
#
#   include(cmake/fuzz.cmake)
#   quorvane_fuzzer(<name> <source.cpp> SECONDS <n>)
#
# <source.cpp> (normally tests/fuzz/<name>.cpp) defines LLVMFuzzerTestOneInput.  It is built
# with clang++ and -fsanitize=fuzzer,address,undefined against the pdf/ sources (compiled
# once for all fuzzers, in a separate build under <build>/fuzz, since the main build uses
# g++) and must report failures by crashing (abort, a sanitizer finding).  The test
# fuzz_<name> (label pdf) runs it for <n> seconds, at most 20, starting from the seed inputs
# in tests/fuzz/<name>_seeds/ when that folder exists; new inputs go to
# <build>/fuzz/corpus/<name>, and an input that crashes is kept as
# <build>/fuzz/findings/<name>-crash-... and fails the test.  Reproduce one with
# <build>/fuzz/<name> <file>.  libFuzzer's limit on one input counts wall-clock time, so it
# is set where only a hang reaches it on a busy machine, and the test's own time-out leaves
# room for replaying a corpus grown over many runs.
include(ExternalProject)

function(quorvane_fuzzer name source)
  cmake_parse_arguments(F "" "SECONDS" "" ${ARGN})
  if(NOT F_SECONDS OR F_SECONDS GREATER 20)
    message(FATAL_ERROR "quorvane_fuzzer(${name}): SECONDS must be 1 to 20")
  endif()
  get_filename_component(source ${source} ABSOLUTE BASE_DIR ${PROJECT_SOURCE_DIR})
  set_property(GLOBAL APPEND PROPERTY QUORVANE_FUZZERS "${name}=${source}")

  set(bin ${PROJECT_BINARY_DIR}/fuzz)
  file(MAKE_DIRECTORY ${bin}/corpus/${name} ${bin}/findings)
  set(seeds)
  if(EXISTS ${PROJECT_SOURCE_DIR}/tests/fuzz/${name}_seeds)
    set(seeds ${PROJECT_SOURCE_DIR}/tests/fuzz/${name}_seeds)
  endif()
  add_test(NAME fuzz_${name}
    COMMAND ${bin}/${name} -max_total_time=${F_SECONDS} -seed=1 -timeout=120
            -rss_limit_mb=2048 -print_final_stats=1
            -artifact_prefix=${bin}/findings/${name}- ${bin}/corpus/${name} ${seeds})
  set_tests_properties(fuzz_${name} PROPERTIES LABELS pdf TIMEOUT 900)

  # One external build makes every fuzzer; it is declared once all of them are known.
  get_property(deferred GLOBAL PROPERTY QUORVANE_FUZZ_DEFERRED)
  if(NOT deferred)
    set_property(GLOBAL PROPERTY QUORVANE_FUZZ_DEFERRED TRUE)
    cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL _quorvane_fuzz_build)
  endif()
endfunction()

function(_quorvane_fuzz_build)
  find_program(QUORVANE_CLANGXX NAMES clang++ clang++-14 REQUIRED)
  get_property(fuzzers GLOBAL PROPERTY QUORVANE_FUZZERS)
  string(REPLACE ";" "|" fuzzers "${fuzzers}")
  ExternalProject_Add(fuzzers
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/cmake/fuzz
    BINARY_DIR ${PROJECT_BINARY_DIR}/fuzz/build
    LIST_SEPARATOR |
    CMAKE_ARGS -G Ninja
               -DCMAKE_CXX_COMPILER=${QUORVANE_CLANGXX}
               -DCMAKE_BUILD_TYPE=RelWithDebInfo
               -DQUORVANE_SOURCE_DIR=${PROJECT_SOURCE_DIR}
               -DQUORVANE_FUZZ_OUTPUT=${PROJECT_BINARY_DIR}/fuzz
               -DQUORVANE_FUZZERS=${fuzzers}
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --parallel 4
    BUILD_ALWAYS TRUE
    INSTALL_COMMAND "")
endfunction()
