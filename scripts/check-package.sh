#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a finished build folder (cpack -G DEB) and checks it: its
# metadata (dpkg-deb -f), that it holds exactly the expected files with the expected modes
# and owner (dpkg-deb --contents), and that the programs run from a scratch root it is
# unpacked into (dpkg -x), their shared libraries being the system's, and its bash
# completions load from there and complete them.
# Usage: scripts/check-package.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
out=$build/package
fail=0
bad() { echo "FAIL: $*"; fail=1; }

rm -rf "$out"
(cd "$build" && cpack -G DEB -B "$out" > "$out.log" 2>&1) || { cat "$out.log"; exit 1; }
debs=("$out"/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: no single .deb in $out"; exit 1; }
deb=${debs[0]}
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")

# Metadata.
field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == qel11-config ]] || bad "Package: $(field Package)"
[[ -n $version && $(field Version) == "$version" ]] || bad "Version: $(field Version) ($version)"
[[ $(field Architecture) == "$(dpkg --print-architecture)" ]] || bad "Architecture: $(field Architecture)"
[[ $(field Section) == electronics ]] || bad "Section: $(field Section)"
[[ $(field Maintainer) =~ ^[^\<]+\ \<[^@\ ]+@[^@\ ]+\>$ ]] || bad "Maintainer: $(field Maintainer)"
[[ $(field Description) == *QEL11* ]] || bad "Description: $(field Description)"
depends=", $(field Depends),"
for lib in libc6 libstdc++6 libhidapi-hidraw0 libudev1 libjpeg62-turbo libqt6widgets6; do
  [[ $depends == *", $lib "* || $depends == *", $lib,"* ]] || bad "Depends lacks $lib: $depends"
done

# Contents: every file, with its mode and owner; no other files.
expected=$(
  for program in qel11-config qel11ctl qel11-sim; do
    echo "-rwxr-xr-x root/root ./usr/bin/$program"
    echo "-rw-r--r-- root/root ./usr/share/man/man1/$program.1.gz"
  done
  for program in qel11ctl qel11-sim; do
    echo "-rw-r--r-- root/root ./usr/share/bash-completion/completions/$program"
  done
  echo "-rw-r--r-- root/root ./etc/bash_completion.d/qel11-tools"
  echo "-rw-r--r-- root/root ./usr/lib/udev/rules.d/70-qel11.rules"
  echo "-rw-r--r-- root/root ./usr/share/applications/qel11-config.desktop"
  echo "-rw-r--r-- root/root ./usr/share/icons/hicolor/scalable/apps/qel11-config.svg"
  for size in 16 24 32 48 64 128 256; do
    echo "-rw-r--r-- root/root ./usr/share/icons/hicolor/${size}x$size/apps/qel11-config.png"
  done
  echo "-rw-r--r-- root/root ./usr/share/doc/qel11-config/README.md"
  echo "-rw-r--r-- root/root ./usr/share/doc/qel11-config/copyright"
)
actual=$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { print $1, $2, $6 }')
missing=$(comm -23 <(sort <<< "$expected") <(sort <<< "$actual"))
extra=$(comm -13 <(sort <<< "$expected") <(sort <<< "$actual"))
[ -z "$missing" ] || bad "missing from the package (or wrong mode/owner):"$'\n'"$missing"
[ -z "$extra" ] || bad "unexpected in the package:"$'\n'"$extra"
dirs=$(dpkg-deb --contents "$deb" | awk '$1 ~ /^d/ && ($1 != "drwxr-xr-x" || $2 != "root/root")')
[ -z "$dirs" ] || bad "folders with odd mode or owner:"$'\n'"$dirs"
dpkg-deb --ctrl-tarfile "$deb" | tar -tvf - ./postinst | grep -q '^-rwxr-xr-x' ||
  bad "postinst is not executable"

# Unpacked into a scratch root, the programs run and tell the package's version.
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"

# The licence: Debian's machine-readable copyright file naming GPL-3.0-or-later for every
# file, its contact being the package's maintainer.
copyright=$root/usr/share/doc/qel11-config/copyright
if [ -f "$copyright" ]; then
  head -1 "$copyright" | grep -qx \
    'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    bad "copyright: first line is not the machine-readable format's"
  grep -qx 'Files: \*' "$copyright" || bad "copyright: no 'Files: *' paragraph"
  grep -qx 'License: GPL-3.0-or-later' "$copyright" || bad "copyright: no GPL-3.0-or-later"
  contact=$(sed -n 's/^Upstream-Contact: //p' "$copyright")
  [[ $contact == "$(field Maintainer)" ]] ||
    bad "copyright: Upstream-Contact '$contact' is not the Maintainer '$(field Maintainer)'"
fi
for program in qel11ctl qel11-sim qel11-config; do
  said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 \
    "$root/usr/bin/$program" --version 2>&1) || bad "$program --version failed: $said"
  [[ $said == "$program $version" ]] || bad "$program --version: '$said'"
done
reply=$(timeout 20 "$root/usr/bin/qel11ctl" --device sim scpi '*IDN?' 2>&1) ||
  bad "qel11ctl --device sim scpi: $reply"
[[ $reply == '*IDN? -> '?* ]] || bad "qel11ctl --device sim scpi '*IDN?': '$reply'"
for program in qel11ctl qel11-sim qel11-config; do
  readelf -S "$root/usr/bin/$program" | grep -q '\.debug_info' && bad "$program is not stripped"
done
"$(dirname "$0")/../tests/install/check_udev_rule.sh" "$root/usr/lib/udev/rules.d/70-qel11.rules" \
  > /dev/null || bad "the packaged udev rule fails tests/install/check_udev_rule.sh"
# bash-completion's loader finds the packaged completions below usr/share, as it finds them
# in /usr/share once the package is installed, and they complete the packaged programs.
said=$("$(dirname "$0")/../tests/install/check_completion.sh" "$root/usr/share" "$root/usr/bin") ||
  bad "the packaged bash completions fail tests/install/check_completion.sh:"$'\n'"$said"

[ $fail -eq 0 ] && echo "package $(basename "$deb"): all checks passed"
exit $fail
