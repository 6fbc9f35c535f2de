# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build's own libraries, which Debian packages only for Linux: libjpeg
# (libjpeg-turbo built from Debian's source package) and CLI11's headers, made by
# scripts/windows-deps.sh into the build folder on the first configure and kept there.
set(QEL_WINDOWS_DEPS ${PROJECT_BINARY_DIR}/deps)
if(NOT EXISTS ${QEL_WINDOWS_DEPS}/lib/libjpeg.a)
  execute_process(
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/windows-deps.sh ${QEL_WINDOWS_DEPS}
            ${CMAKE_TOOLCHAIN_FILE}
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "scripts/windows-deps.sh could not make the Windows libraries")
  endif()
endif()

set(JPEG_INCLUDE_DIR ${QEL_WINDOWS_DEPS}/include CACHE PATH "libjpeg headers for Windows" FORCE)
set(JPEG_LIBRARY ${QEL_WINDOWS_DEPS}/lib/libjpeg.a CACHE FILEPATH "libjpeg for Windows" FORCE)

# CLI11 is header-only; its CMake package would put all of /usr/include on the path.
add_library(qel_cli11 INTERFACE)
target_include_directories(qel_cli11 SYSTEM INTERFACE ${QEL_WINDOWS_DEPS}/include)
add_library(CLI11::CLI11 ALIAS qel_cli11)
