#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks a man page against the program it describes: its title names the program's
# version, and every option of --help, and of each subcommand's --help, is in it, as is
# every subcommand. Catches a page left stale by a changed command line and options the
# page generator failed to pick up.
# Usage: check_manpage.sh PROGRAM NAME VERSION PAGE.1.gz
set -uo pipefail
program=$1 name=$2 version=$3 page=$4
fail=0
bad() { echo "FAIL: $*"; fail=1; }
help() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@" --help; }

# The page as text: font changes and hyphen escapes removed.
text=$(gzip -dc "$page" | sed -e 's/\\f[BIRP]//g' -e 's/\\f\[[A-Z]*\]//g' -e 's/\\,//g' \
  -e 's/\\\///g' -e 's/\\-/-/g') || { bad "cannot read $page"; exit 1; }
title=$(grep -m1 '^\.TH ' <<< "$text")
[[ $title == *"\"$name $version\""* ]] || bad "title line $title lacks \"$name $version\""

# Option names: the first column of indented lines that start with "-".
options() { awk '/^  +-/ { print $1 }' | tr ',' '\n' | grep -E '^--?[A-Za-z]'; }

subcommands=$(help | awk '/^Subcommands:/ { s = 1; next } s && /^[^ ]/ { s = 0 }
  s && /^  [a-z]/ { print $1 }')
checked=0
for option in $(help | options); do
  grep -qE -- "(^|[^A-Za-z0-9-])$option([^A-Za-z0-9-]|$)" <<< "$text" ||
    bad "$option of --help is not in the man page"
  checked=$((checked + 1))
done
for sub in $subcommands; do
  grep -qF ".SS \"$sub\"" <<< "$text" || bad "subcommand $sub has no section"
  for option in $(help "$sub" | options); do
    grep -qE -- "(^|[^A-Za-z0-9-])$option([^A-Za-z0-9-]|$)" <<< "$text" ||
      bad "$option of '$sub --help' is not in the man page"
  done
done
[ $checked -gt 1 ] || bad "found no options in --help"

[ $fail -eq 0 ] && echo "man page of $name: $checked options and $(wc -w <<< "$subcommands") subcommands ok"
exit $fail
