# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the probe tests/core/no_qt_probe.cpp, which includes a Qt header and links only
# the core: passes when the build fails on exactly that missing Qt header, fails when the
# probe builds (the core brought Qt in) or fails for any other reason (then the probe says
# nothing about Qt).
# Usage: cmake -DBUILD_DIR=... -P core_has_no_qt.cmake
execute_process(
  COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target core_qt_probe
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(result EQUAL 0)
  message(FATAL_ERROR "the probe built: the core's include paths reach Qt\n${output}")
endif()
# GCC and Clang say it so.
if(NOT output MATCHES "QtCore/QString: No such file or directory"
   AND NOT output MATCHES "'QtCore/QString' file not found")
  message(FATAL_ERROR "the probe failed, but not on the missing Qt header:\n${output}")
endif()
message(STATUS "the core cannot reach Qt: QtCore/QString is not found")
