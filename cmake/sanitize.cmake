# QUORVANE_SANITIZE=ON builds the product and its tests with AddressSanitizer (leak checking
# included) and UndefinedBehaviorSanitizer.  Every finding ends the program with a report, so
# the test that met it fails.  scripts/test runs such a build in build-sanitized/ and sets the
# sanitizers' run-time options there.
#
# The benchmarks and the fuzz tests are left out of a sanitized build: a benchmark measures
# speed, which the sanitizers distort, and the fuzz tests already build their own programs
# with these sanitizers (see cmake/fuzz.cmake), so the normal build runs them.
option(QUORVANE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(QUORVANE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
  # The instrumentation leads GCC's flow analysis to false warnings inside the standard
  # library's headers; the normal build keeps these warnings.
  add_compile_options(-Wno-maybe-uninitialized -Wno-restrict)
endif()
