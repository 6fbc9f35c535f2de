# SPDX-License-Identifier: GPL-3.0-or-later
# libFuzzer builds: every target compiled from here on gets the fuzzer's coverage
# instrumentation and AddressSanitizer + UndefinedBehaviorSanitizer, so a fuzz target sees
# into the core and sim libraries it links. Only clang has libFuzzer; with another
# compiler the fuzz targets are left out with a warning.
if(NOT QEL_BUILD_FUZZ)
  return()
endif()
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(WARNING "QEL_BUILD_FUZZ needs clang (libFuzzer); the fuzz targets are left out "
                  "(use the preset: cmake --preset fuzz)")
  set(QEL_BUILD_FUZZ OFF)
  return()
endif()
set(QEL_FUZZ_SANITIZERS address,undefined)
add_compile_options(-fsanitize=fuzzer-no-link,${QEL_FUZZ_SANITIZERS}
                    -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
add_link_options(-fsanitize=${QEL_FUZZ_SANITIZERS})
