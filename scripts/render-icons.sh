#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the PNG sizes of the tool's icon from its SVG. The PNGs are committed, so a
# build needs no SVG renderer; run this after changing the SVG (needs rsvg-convert from
# Debian's librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"
for size in 16 24 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" --format png \
    --output "qel11-config-${size}.png" qel11-config.svg
done
