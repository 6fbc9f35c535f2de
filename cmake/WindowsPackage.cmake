# SPDX-License-Identifier: GPL-3.0-or-later
# Windows: the programs say their version, and the zip of qel11ctl.exe and qel11-sim.exe
# (static runtime: no DLL besides the system's) with the README and the licence, made with
# every build:
#   build/windows/qel11-tools-VERSION-windows-x64.zip
foreach(program qel11ctl qel11-sim)
  target_compile_definitions(${program} PRIVATE QEL_VERSION="${PROJECT_VERSION}")
endforeach()

set(QEL_ZIP_NAME qel11-tools-${PROJECT_VERSION}-windows-x64)
set(QEL_ZIP ${PROJECT_BINARY_DIR}/${QEL_ZIP_NAME}.zip)
set(QEL_ZIP_STAGE ${PROJECT_BINARY_DIR}/zip/${QEL_ZIP_NAME})
add_custom_command(
  OUTPUT ${QEL_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${PROJECT_BINARY_DIR}/zip
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QEL_ZIP_STAGE}
  COMMAND ${CMAKE_STRIP} -o ${QEL_ZIP_STAGE}/qel11ctl.exe $<TARGET_FILE:qel11ctl>
  COMMAND ${CMAKE_STRIP} -o ${QEL_ZIP_STAGE}/qel11-sim.exe $<TARGET_FILE:qel11-sim>
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/README.md ${QEL_ZIP_STAGE}/README.md
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/LICENSE ${QEL_ZIP_STAGE}/LICENSE
  COMMAND ${CMAKE_COMMAND} -E chdir ${PROJECT_BINARY_DIR}/zip
          ${CMAKE_COMMAND} -E tar cf ${QEL_ZIP} --format=zip ${QEL_ZIP_NAME}
  DEPENDS qel11ctl qel11-sim ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
  COMMENT "Packing ${QEL_ZIP_NAME}.zip")
add_custom_target(windows_zip ALL DEPENDS ${QEL_ZIP})
