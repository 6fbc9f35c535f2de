#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Windows zip of a finished Windows build: it holds exactly qel11ctl.exe,
# qel11-sim.exe, the README and the LICENSE; the programs import no DLL beyond Windows' own;
# unpacked, they run under Wine; qel11ctl.exe reports no instrument cleanly; and against the Linux
# qel11-sim it prints byte for byte what the Linux qel11ctl prints, command by command.
# Usage: scripts/check-windows-zip.sh WINDOWS_BUILD_DIR [LINUX_BUILD_DIR]
set -euo pipefail
build=$(cd "$1" && pwd)
linux=$(cd "${2:-$(dirname "$0")/../build/default}" && pwd)
fail=0
bad() { echo "FAIL: $*"; fail=1; }

zips=("$build"/qel11-tools-*-windows-x64.zip)
[ ${#zips[@]} -eq 1 ] && [ -f "${zips[0]}" ] || { echo "FAIL: no single zip in $build"; exit 1; }
zip=${zips[0]}
name=$(basename "$zip" .zip)
out=$build/zip-check
rm -rf "$out" && mkdir -p "$out"
(cd "$out" && cmake -E tar xf "$zip")
listing=$(cd "$out" && find . -type f | sort)
expected=$(printf '%s\n' "./$name/LICENSE" "./$name/README.md" "./$name/qel11-sim.exe" \
  "./$name/qel11ctl.exe" | sort)
[ "$listing" = "$expected" ] || bad "zip contents: $listing"

# Only DLLs that every Windows has: a static C and C++ runtime, no libwinpthread or libjpeg.
for exe in qel11ctl qel11-sim; do
  dlls=$(x86_64-w64-mingw32-objdump -p "$out/$name/$exe.exe" | sed -n 's/^\tDLL Name: //p' |
         tr 'A-Z' 'a-z' | sort -u | tr '\n' ' ')
  for dll in $dlls; do
    case $dll in
      kernel32.dll | user32.dll | advapi32.dll | shell32.dll | ws2_32.dll | setupapi.dll | \
        hid.dll | msvcrt.dll | api-ms-win-*) ;;
      *) bad "$exe.exe imports $dll" ;;
    esac
  done
done

wine=$build/wine-run.sh
ctl=$out/$name/qel11ctl.exe
for exe in qel11ctl qel11-sim; do
  version=$("$wine" "$out/$name/$exe.exe" --version) || bad "$exe.exe --version failed"
  [[ $version == "$exe "* ]] || bad "$exe.exe --version: $version"
done

# No HID instrument under Wine: a clean message and exit status 1.
status=0
err=$("$wine" "$ctl" list 2>&1 > /dev/null) || status=$?
[ "$status" -eq 1 ] && [ "$err" = "qel11ctl: no instrument found" ] ||
  bad "list: exit $status, stderr '$err'"

# The same commands against a fresh Linux qel11-sim each, from Linux and from Windows.
commands=(
  "scpi *IDN? :rang?;unit? MODE? syst:err? FOO syst:err?"
  "info"
  "errors"
  "display"
  "read"
  "store"
)
compare() {
  local program=$1 output=$2
  shift 2
  # Emptied here: the redirection below happens in the background, after this shell may
  # have read the port of the previous run.
  : > "$out/sim.port"
  "$linux/src/sim/qel11-sim" --port 0 --seed 1 > "$out/sim.port" &
  local sim=$!
  local port=""
  for _ in $(seq 50); do
    port=$(sed -n 's/^listening on tcp:127.0.0.1://p' "$out/sim.port")
    [ -n "$port" ] && break
    sleep 0.1
  done
  local status=0
  $program --device "tcp:127.0.0.1:$port" "$@" > "$output" 2>&1 || status=$?
  echo "exit $status" >> "$output"
  kill "$sim" && wait "$sim" || true
}
# The settings file of neither machine (ProgramData is the scratch folder; Wine replaces
# it in a program started from Linux, so env_launcher.exe hands it on), the C locale:
# English texts and "." as the decimal separator on both sides.
launcher=$build/tests/windows/env_launcher.exe
for command in "${commands[@]}"; do
  read -ra words <<< "$command"
  compare "env LC_ALL=C ProgramData=$out $linux/src/cli/qel11ctl" "$out/linux.txt" \
    "${words[@]}"
  compare "env LC_ALL=C $wine $launcher ProgramData=$out -- Z:$ctl" \
    "$out/windows.txt" "${words[@]}"
  # The parameter file's stamp and computer name differ by a second and by letter case.
  sed -i -e '/^Save at=/d' -e '/^on PC=/d' "$out/linux.txt" "$out/windows.txt"
  cmp -s "$out/linux.txt" "$out/windows.txt" ||
    bad "qel11ctl $command: Windows and Linux differ: $(diff "$out/linux.txt" "$out/windows.txt" | head -5)"
done

[ $fail -eq 0 ] && echo "windows zip: $name.zip checked, ${#commands[@]} commands the same as on Linux"
exit $fail
