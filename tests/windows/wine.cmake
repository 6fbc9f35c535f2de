# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build's tests run under Wine on the build machine: every program of the
# build through wine-run.sh (the build folder's own Wine prefix). Included before the
# programs are defined, which take the emulator over when they are made.
find_program(QEL_WINE NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(NOT QEL_WINE)
  message(FATAL_ERROR "Wine (Debian package wine64) runs the Windows tests; install it "
                      "(scripts/deps.sh wine64) or configure with -DQEL_BUILD_TESTS=OFF")
endif()
find_program(QEL_WINESERVER NAMES wineserver64 wineserver PATHS /usr/lib/wine
             NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(QEL_WINEPREFIX ${CMAKE_BINARY_DIR}/wine)
set(QEL_WINE_RUN ${CMAKE_BINARY_DIR}/wine-run.sh)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${QEL_WINE_RUN} @ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QEL_WINE_RUN})
