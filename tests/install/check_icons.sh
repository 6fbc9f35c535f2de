#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the icon files: the SVG is square, and there is one PNG per installed size whose
# header gives exactly that width and height (a PNG rendered at the wrong size would be
# scaled blurry by the desktop) and no PNG that is not installed.
# Usage: check_icons.sh ICON_DIR NAME SIZE...
set -uo pipefail
dir=$1 name=$2
shift 2
fail=0
bad() { echo "FAIL: $*"; fail=1; }

svg=$dir/$name.svg
if [ -f "$svg" ]; then
  grep -Eq '<svg[^>]* viewBox="0 0 ([0-9]+) \1"' "$svg" || bad "$svg has no square viewBox"
else
  bad "no $svg"
fi

for size in "$@"; do
  png=$dir/$name-$size.png
  if [ ! -f "$png" ]; then
    bad "no $png"
    continue
  fi
  # Signature (8 bytes), IHDR length and type (8 bytes), then width and height big-endian.
  signature=$(od -An -tx1 -N8 "$png" | tr -d ' \n')
  [[ $signature == 89504e470d0a1a0a ]] || bad "$png is no PNG"
  read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
    awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4, $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }')
  [[ $width == "$size" && $height == "$size" ]] || bad "$png is ${width}x$height"
done

for png in "$dir/$name"-*.png; do
  size=${png##*-}
  size=${size%.png}
  [[ " $* " == *" $size "* ]] || bad "$png is not installed"
done

[ $fail -eq 0 ] && echo "icons of $name: ok"
exit $fail
