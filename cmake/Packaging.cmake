# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, built with `cpack -G DEB` in the build folder. Its dependencies come
# from the programs' shared libraries (dpkg-shlibdeps, from dpkg-dev).
# The maintainer is the author of the project's history; the same name and address stand in
# debian/copyright (installed as /usr/share/doc/qel11-config/copyright).
set(QEL_PACKAGE_MAINTAINER
    "Seed dc3d882c maintainers <maintainers@users.noreply.c-seed-dc3d882c.example>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qel11-config)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${QEL_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "configuration and service tool for the QEL11 magnetic-field meter")
# The long description below the summary line, as dpkg shows it: lines of at most 79
# characters, a blank line between paragraphs.
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Reads, edits, writes, stores and files the settings of the QEL11 hand-held\n"
  "magnetic-field meter (USB, HID class, SCPI lines in HID reports), shows its\n"
  "live readings, reads its identity and error queue and sends free SCPI lines.\n"
  "In service mode it captures the meter's display and edits probe and\n"
  "calibration data. The user interface is German, with a built-in English\n"
  "dictionary.\n"
  "\n"
  "The package holds the window program qel11-config, the command-line tool\n"
  "qel11ctl for scripts and production lines, the virtual instrument qel11-sim,\n"
  "their bash completions, and a udev rule that gives the user logged in at the\n"
  "seat access to the meter.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QEL_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own dialogs (file dialogs, message boxes) in German; without it they speak English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/debian/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
