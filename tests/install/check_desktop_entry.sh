#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the desktop entry: desktop-file-validate (desktop-file-utils) finds nothing to
# complain about, it starts the window program by name without a terminal, uses the
# installed icon, and sits in the Science and Electronics menus.
# Usage: check_desktop_entry.sh FILE.desktop PROGRAM ICON
set -uo pipefail
file=$1 program=$2 icon=$3
fail=0
bad() { echo "FAIL: $*"; fail=1; }

if command -v desktop-file-validate >/dev/null; then
  complaints=$(desktop-file-validate "$file" 2>&1)
  [ -z "$complaints" ] || bad "desktop-file-validate: $complaints"
else
  echo "desktop-file-validate not found (desktop-file-utils): checking the fields only"
fi

# The value of a key in the [Desktop Entry] group.
value() {
  awk -v key="$1" '/^\[/ { group = $0; next }
    group == "[Desktop Entry]" && index($0, key "=") == 1 {
      print substr($0, length(key) + 2); exit }' "$file"
}
[[ $(value Type) == Application ]] || bad "Type=$(value Type)"
[[ $(value Exec) =~ ^$program($|[[:space:]]) ]] || bad "Exec=$(value Exec)"
[[ $(value Icon) == "$icon" ]] || bad "Icon=$(value Icon)"
[[ $(value Terminal) == false ]] || bad "Terminal=$(value Terminal)"
[[ -n $(value Name) && -n $(value Comment) ]] || bad "Name or Comment missing"
categories=";$(value Categories)"
for category in Science Electronics; do
  [[ $categories == *";$category;"* ]] || bad "Categories lacks $category"
done

[ $fail -eq 0 ] && echo "desktop entry $(basename "$file"): ok"
exit $fail
