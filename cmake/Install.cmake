# Installation on Linux: the three programs, the udev rule for the instrument, the desktop
# entry with its icon, the man pages, and the Debian package (Packaging.cmake). Included
# at the end of the top-level CMakeLists, after every target exists.
include(GNUInstallDirs)

set(QEL_PROGRAMS qel11-config qel11ctl qel11-sim)

# Each program prints "NAME VERSION" for --version, the version being the project's.
foreach(program IN LISTS QEL_PROGRAMS)
  if(TARGET ${program})
    target_compile_definitions(${program} PRIVATE QEL_VERSION="${PROJECT_VERSION}")
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()
