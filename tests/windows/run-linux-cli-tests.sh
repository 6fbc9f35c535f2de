#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The CLI tests of the Linux build (cli_tests), run against the Windows qel11ctl.exe under
# Wine through the wrapper QEL11CTL; the virtual instrument they start is the Linux
# qel11-sim, so every case also checks the report stream between the two systems.
# Usage: run-linux-cli-tests.sh LINUX_BUILD_DIR WRAPPER
# Cases left out, each with its reason, are listed in tests/windows/cli-exclusions.txt.
set -eu
linux_build=$1
wrapper=$2
tests=$linux_build/tests/cli_tests
if [ ! -x "$tests" ]; then
  echo "SKIPPED: no Linux build with cli_tests in $linux_build (build the default preset first)"
  exit 77
fi
here=$(dirname "$0")
filter=$(sed -e 's/#.*//' -e 's/[[:space:]]//g' -e '/^$/d' "$here/cli-exclusions.txt" | paste -sd:)
QEL11CTL=$wrapper exec "$tests" --gtest_filter="*${filter:+-$filter}"
