#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that a program answers --version with "NAME VERSION" and --help with its usage,
# both on standard output with status 0, and without a display: the window program must
# answer them before it needs one.
# Usage: check_version.sh PROGRAM NAME VERSION
set -uo pipefail
program=$1 name=$2 version=$3
fail=0
bad() { echo "FAIL: $*"; fail=1; }
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$program" "$@"; }

out=$(run --version 2>/dev/null)
status=$?
[ $status -eq 0 ] || bad "--version exits with $status"
[[ $out == "$name $version" ]] || bad "--version prints '$out', want '$name $version'"

out=$(run --help 2>/dev/null)
status=$?
[ $status -eq 0 ] || bad "--help exits with $status"
[[ $out == *"Usage: $name "* ]] || bad "--help has no 'Usage: $name' line"
[[ $out == *--version* ]] || bad "--help does not mention --version"

[ $fail -eq 0 ] && echo "$name --version and --help: ok"
exit $fail
