# SPDX-License-Identifier: GPL-3.0-or-later
# Installation on Linux: the three programs, the udev rule for the instrument, the desktop
# entry with its icon, the man pages, and the Debian package (Packaging.cmake). Included
# at the end of the top-level CMakeLists, after every target exists.
include(GNUInstallDirs)

# Sanitizer builds are for tests: they need no man pages, and running their programs at
# build time would bring the sanitizers' exit checks into the build.
set(QEL_MAN_PAGES_DEFAULT ON)
if(CMAKE_CXX_FLAGS MATCHES "-fsanitize")
  set(QEL_MAN_PAGES_DEFAULT OFF)
endif()
option(QEL_BUILD_MAN_PAGES "Write the man pages from the programs' --help (needs help2man)"
       ${QEL_MAN_PAGES_DEFAULT})

set(QEL_PROGRAMS qel11-config qel11ctl qel11-sim)
set(QEL_RESOURCES ${PROJECT_SOURCE_DIR}/resources)

# Each program prints "NAME VERSION" for --version, the version being the project's.
foreach(program IN LISTS QEL_PROGRAMS)
  if(TARGET ${program})
    target_compile_definitions(${program} PRIVATE QEL_VERSION="${PROJECT_VERSION}")
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

# The udev rule goes below the prefix: with prefix /usr (the package) that is
# /usr/lib/udev/rules.d, which Debian 12's udevd reads (and which is /lib/udev/rules.d on
# the merged /usr Debian 12 requires), and which keeps the package out of the aliased
# /lib; with /usr/local it is /usr/local/lib/udev/rules.d, which udevd reads as well. Not
# CMAKE_INSTALL_LIBDIR: that is a multiarch folder on Debian, which udev never looks in.
set(QEL_UDEV_RULES_DIR "lib/udev/rules.d"
    CACHE STRING "Folder of the udev rule, relative to the install prefix or absolute")
install(FILES ${QEL_RESOURCES}/udev/70-qel11.rules DESTINATION ${QEL_UDEV_RULES_DIR})

# Bash completions go where bash-completion's loader looks for them by command name:
# PREFIX/share/bash-completion/completions (/usr/share for the package; /usr/local/share
# is on its default search path too).
set(QEL_COMPLETIONS)
foreach(program qel11ctl qel11-sim)
  if(TARGET ${program})
    list(APPEND QEL_COMPLETIONS ${QEL_RESOURCES}/completion/${program})
  endif()
endforeach()
install(FILES ${QEL_COMPLETIONS} DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
# bash-completion loads the completions above at the first Tab only; a file in its
# bash_completion.d loads them when a shell starts. That folder is /etc for a /usr install
# (the package), PREFIX/etc for any other prefix; decided at install time, because cpack
# installs with its own prefix.
if(QEL_COMPLETIONS)
  install(CODE "
    if(CMAKE_INSTALL_PREFIX MATCHES \"^(.*)/usr/?$\")
      set(qel_etc \"\${CMAKE_MATCH_1}/etc\")
    else()
      set(qel_etc \"\${CMAKE_INSTALL_PREFIX}/etc\")
    endif()
    file(INSTALL \"${QEL_RESOURCES}/completion/qel11-tools\"
         DESTINATION \"\${qel_etc}/bash_completion.d\")")
endif()

set(QEL_ICON_SIZES 16 24 32 48 64 128 256)
if(TARGET qel11-config)
  install(FILES ${QEL_RESOURCES}/desktop/qel11-config.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${QEL_RESOURCES}/icons/qel11-config.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size IN LISTS QEL_ICON_SIZES)
    install(FILES ${QEL_RESOURCES}/icons/qel11-config-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME qel11-config.png)
  endforeach()
endif()

# Man pages, written from each program's --help and --version by help2man, gzip-compressed
# as Debian keeps them.
set(QEL_MAN_PAGES)
if(QEL_BUILD_MAN_PAGES)
  find_program(QEL_HELP2MAN help2man)
  if(QEL_HELP2MAN)
    foreach(program IN LISTS QEL_PROGRAMS)
      set(include ${QEL_RESOURCES}/man/${program}.h2m)
      if(TARGET ${program} AND EXISTS ${include})
        set(page ${PROJECT_BINARY_DIR}/man/${program}.1.gz)
        add_custom_command(
          OUTPUT ${page}
          COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
          COMMAND ${CMAKE_CURRENT_LIST_DIR}/make-manpage.sh $<TARGET_FILE:${program}> ${include}
                  ${page}
          DEPENDS ${program} ${include} ${CMAKE_CURRENT_LIST_DIR}/make-manpage.sh
          COMMENT "Writing the man page of ${program}")
        list(APPEND QEL_MAN_PAGES ${page})
      endif()
    endforeach()
    add_custom_target(qel_man_pages ALL DEPENDS ${QEL_MAN_PAGES})
    install(FILES ${QEL_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  else()
    message(WARNING "help2man not found: no man pages (scripts/deps.sh installs it)")
  endif()
endif()

# The licence in Debian's machine-readable copyright format, where Debian keeps it.
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${CMAKE_CURRENT_LIST_DIR}/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

include(${CMAKE_CURRENT_LIST_DIR}/Packaging.cmake)

if(QEL_BUILD_TESTS)
  add_subdirectory(${PROJECT_SOURCE_DIR}/tests/install ${PROJECT_BINARY_DIR}/tests/install)
endif()
