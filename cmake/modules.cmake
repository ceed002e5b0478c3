# quorvane_module(<target> <folder> [RECURSE] [NO_TESTS] [DEPS ...] [LABEL <ctest label>])
#
# Builds <folder>'s .cpp files into the library <target> (an interface library while the
# folder holds no source yet) and, unless NO_TESTS, tests/<folder>'s .cpp files into
# <target>_tests.
function(quorvane_module target folder)
  cmake_parse_arguments(M "RECURSE;NO_TESTS" "LABEL" "DEPS" ${ARGN})
  if(M_RECURSE)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  else()
    file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  endif()

  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${M_DEPS})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${M_DEPS})
  endif()

  if(NOT M_NO_TESTS)
    quorvane_tests(${target} ${folder} ${target} LABEL ${M_LABEL})
  endif()
endfunction()

# quorvane_tests(<name> <folder> <library> LABEL <ctest label>)
#
# Builds tests/<folder>'s .cpp files (not its sub-folders) into <name>_tests, linked with
# <library>, one CTest test per GoogleTest case, labelled <label>.  Tests find the source
# tree and the build tree through QUORVANE_SOURCE_DIR and QUORVANE_BUILD_DIR.
function(quorvane_tests name folder library)
  cmake_parse_arguments(T "" "LABEL" "" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS tests/${folder}/*.cpp)
  if(NOT tests)
    return()
  endif()
  add_executable(${name}_tests ${tests})
  target_link_libraries(${name}_tests PRIVATE ${library} GTest::gmock GTest::gtest_main)
  target_include_directories(${name}_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name}_tests PRIVATE
    QUORVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    QUORVANE_BUILD_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name}_tests
    PROPERTIES LABELS ${T_LABEL}
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
    # Listing the tests of a sanitized program on a busy machine may take a while.
    DISCOVERY_TIMEOUT 600)
endfunction()
