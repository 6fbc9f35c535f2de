#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows libraries of the cross-build, made once per build folder: libjpeg built with
# mingw-w64 from Debian's source package of the libjpeg-turbo that the Linux build uses,
# and CLI11's headers (header-only) beside it. Debian packages neither for mingw.
#
# The source package comes through apt itself (`apt-get source --download-only`), so its
# files are checked against the signed archive, from the mirror apt already uses: a
# private deb-src list and package lists below DEPS/apt, the system's apt configuration
# untouched. Needs dpkg-dev (dpkg-source) and, for the first run, the mirror.
# Usage: scripts/windows-deps.sh DEPS_DIR TOOLCHAIN_FILE
set -euo pipefail
deps=$(mkdir -p "$1" && cd "$1" && pwd)
toolchain=$2
stamp=$deps/lib/libjpeg.a

mkdir -p "$deps/include"
ln -sfn /usr/include/CLI "$deps/include/CLI"
[ -f "$stamp" ] && exit 0

apt_dir=$deps/apt
mkdir -p "$apt_dir/parts" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
: > "$apt_dir/sources.list"
# Every Debian archive apt fetches binaries from, as a deb-src entry.
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [ -f "$f" ] && sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$f" >> "$apt_dir/sources.list"
done
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] || continue
  awk 'BEGIN { RS = ""; ORS = "\n\n" }
       /(^|\n)Types:[^\n]*[[:space:]]deb([[:space:]]|$)/ {
         sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); print }' "$f" > "$apt_dir/parts/$(basename "$f")"
done
apt_opts=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=$apt_dir/parts"
          -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
          -o "APT::Sandbox::User=root" -o "Debug::NoLocking=1")

src=$deps/src
mkdir -p "$src"
if ! ls "$src"/libjpeg-turbo_*.dsc > /dev/null 2>&1; then
  echo "windows-deps: fetching Debian's libjpeg-turbo source package"
  apt-get "${apt_opts[@]}" -qq update
  version=$(dpkg-query -W -f='${source:Version}' libjpeg62-turbo-dev 2>/dev/null || true)
  (cd "$src" && { apt-get "${apt_opts[@]}" -qq source --download-only "libjpeg-turbo${version:+=$version}" ||
                  apt-get "${apt_opts[@]}" -qq source --download-only libjpeg-turbo; })
fi
rm -rf "$src/tree"
dpkg-source --no-check -x "$(ls "$src"/libjpeg-turbo_*.dsc | head -n 1)" "$src/tree" > /dev/null

echo "windows-deps: building libjpeg for Windows"
# The plain C library (no SIMD: that needs nasm; no TurboJPEG API), static, the libjpeg 6b
# interface as Debian's libjpeg62-turbo.
cmake -S "$src/tree" -B "$src/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps" -DENABLE_SHARED=OFF \
  -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF -Wno-dev > "$src/configure.log"
cmake --build "$src/build" --target jpeg-static > "$src/build.log"
install -d "$deps/lib"
install -m 644 "$src/build/libjpeg.a" "$deps/lib/libjpeg.a.tmp"
for h in jpeglib.h jmorecfg.h jerror.h; do install -m 644 "$src/tree/$h" "$deps/include/$h"; done
install -m 644 "$src/build/jconfig.h" "$deps/include/jconfig.h"
mv "$deps/lib/libjpeg.a.tmp" "$stamp"   # last: a broken run is redone next time
rm -rf "$src/build" "$src/tree"
