#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes a program's man page, gzip-compressed, from its --help and --version (help2man)
# and a hand-written include file of the sections --help cannot give (description,
# instrument choice, exit status, examples). For a program with subcommands, each
# subcommand's own --help is added verbatim in a COMMANDS section, so the page lists every
# option the program accepts.
# Usage: make-manpage.sh PROGRAM INCLUDE.h2m OUTPUT.1.gz
set -euo pipefail
program=$1 include=$2 output=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Subcommand names: the indented first words of the "Subcommands:" block of --help.
subcommands=$("$program" --help | awk '
  /^Subcommands:/ { inblock = 1; next }
  inblock && /^[^ ]/ { inblock = 0 }
  inblock && /^  [a-z]/ { print $1 }')

{
  if [ -n "$subcommands" ]; then
    echo "[COMMANDS]"
    for sub in $subcommands; do
      echo ".SS \"$sub\""
      # The first line is the description, the rest is shown as --help prints it; the
      # help flag every subcommand has is left out. Backslashes, hyphens and lines
      # starting with a control character are escaped for troff first.
      "$program" "$sub" --help |
        sed -e 's/\\/\\e/g' -e 's/-/\\-/g' -e "s/^\\([.']\\)/\\\\\\&\\1/" |
        awk 'NR == 1 { print; print ".PP"; print ".nf"; next }
          /^  \\-h,\\-\\-help / { next }
          /^Options:$/ { held = $0; next }   # printed only if an option follows
          /^$/ { blank = 1; next }           # blank lines only between blocks
          { if (blank && printed) print ""; if (held != "") print held
            print; held = ""; blank = 0; printed = 1 }
          END { print ".fi" }'
    done
  fi
} > "$work/commands.h2m"

includes=()
[ -s "$work/commands.h2m" ] && includes+=(--include="$work/commands.h2m")
help2man --no-info --section=1 "${includes[@]}" --include="$include" \
  --output="$work/page.1" "$program"
gzip -9 -n -c "$work/page.1" > "$output"
