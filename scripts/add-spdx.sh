#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the licence line "SPDX-License-Identifier: GPL-3.0-or-later" at the top of every
# project source file that lacks it: C++ files (// comment, first line), CMake files and
# shell scripts (# comment, first line, or the second after a #! line). Files that have the
# line anywhere in their first three lines are left alone, so running it twice changes
# nothing.
# Usage: scripts/add-spdx.sh          add the line where it is missing
#        scripts/add-spdx.sh --list   only name the files that lack it (exit 0 either way)
set -euo pipefail
cd "$(dirname "$0")/.."
tag="SPDX-License-Identifier: GPL-3.0-or-later"

list_only=0
[ "${1:-}" = --list ] && list_only=1

git ls-files --cached --others --exclude-standard -- \
    '*.cpp' '*.h' '*.cmake' 'CMakeLists.txt' '*/CMakeLists.txt' '*.sh' |
  while IFS= read -r file; do
    [ -f "$file" ] || continue
    head -3 "$file" | grep -qF "$tag" && continue
    if [ "$list_only" -eq 1 ]; then
      echo "$file"
      continue
    fi
    case $file in
      *.cpp | *.h) comment="// $tag" ;;
      *) comment="# $tag" ;;
    esac
    tmp=$(mktemp)
    if head -1 "$file" | grep -q '^#!'; then
      { head -1 "$file"; echo "$comment"; tail -n +2 "$file"; } > "$tmp"
    else
      { echo "$comment"; cat "$file"; } > "$tmp"
    fi
    cat "$tmp" > "$file"  # keeps the file's mode (scripts stay executable)
    rm -f "$tmp"
  done
