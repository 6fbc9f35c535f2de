# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the German locale de_DE.UTF-8 in the folder OUTPUT with localedef (no root needed;
# the source definitions come with Debian's package "locales"), unless it is there already.
# The tests that depend on the decimal separator or the language find it through LOCPATH.
# Usage: cmake -DOUTPUT=<folder> -P german_locale.cmake
set(locale ${OUTPUT}/de_DE.UTF-8)
if(EXISTS ${locale}/LC_NUMERIC AND EXISTS ${locale}/LC_CTYPE)
  return()
endif()
find_program(LOCALEDEF localedef)
if(NOT LOCALEDEF OR NOT EXISTS /usr/share/i18n/locales/de_DE)
  message(FATAL_ERROR "Cannot make the German locale the tests need: localedef or the "
                      "definition /usr/share/i18n/locales/de_DE is missing (install the "
                      "Debian package locales, e.g. with scripts/deps.sh)")
endif()
file(MAKE_DIRECTORY ${OUTPUT})
# localedef exits with 1 when it only warned; the files it wrote decide.
execute_process(COMMAND ${LOCALEDEF} -i de_DE -f UTF-8 ${locale}.tmp
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT EXISTS ${locale}.tmp/LC_NUMERIC)
  message(FATAL_ERROR "localedef -i de_DE -f UTF-8 failed (${status}):\n${out}")
endif()
file(REMOVE_RECURSE ${locale})
file(RENAME ${locale}.tmp ${locale})
message(STATUS "German locale made in ${locale}")
