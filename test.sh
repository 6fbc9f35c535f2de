#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, checks the style (clang-format and clang-tidy,
# scripts/check-style.sh), and runs every test: the whole suite with ctest, then
# the end-to-end HID suite in a qemu guest (when it can run), the Windows build and its
# tests under Wine, the Debian package built and checked, then the core and sim tests
# again under AddressSanitizer and UndefinedBehaviorSanitizer, and a short run of every
# fuzz target. clang-tidy runs beside the stages after the build; its result comes last.
set -euo pipefail
cd "$(dirname "$0")"

scripts/deps.sh xvfb xauth

preset=default
[ -n "${CI:-}" ] && preset=ci   # warnings are errors in CI
jobs=$(nproc)

# ---- style, first half: clang-format over every C++ file of the tree, before any build
echo "== style: clang-format"
scripts/check-style.sh --format-only
# ---- end style

echo "== build ($preset)"
cmake --preset "$preset"
cmake --build --preset "$preset" -j "$jobs"
# ---- style, second half: clang-tidy over the build's own translation units (those
# unchanged since they last passed are not checked again). It runs beside the stages below
# at the lowest CPU priority, so it takes only the time they leave idle (tests waiting for
# time limits, the qemu guest, Wine), and its result is checked at the end.
echo "== style: clang-tidy (in the background; its result comes last)"
tidy_log=build/$preset/clang-tidy.log
# Its own process group, so that a stage failing before the end stops all of it.
setsid nice -n 19 scripts/check-style.sh --tidy-only "build/$preset" > "$tidy_log" 2>&1 &
tidy_pid=$!
trap 'kill -- -"$tidy_pid" 2> /dev/null || true' EXIT
# ---- end style
echo "== tests ($preset)"
ctest --preset "$preset" -j "$jobs" -LE e2e   # the e2e suite runs on its own below

# ---- e2e-hid: qel11ctl and the window program against qel11-sim --uhid through the real
# kernel HID stack, in a qemu guest (tests/e2e-hid/run.sh says why when it cannot run)
echo "== end-to-end HID suite ($preset)"
if scripts/deps.sh qemu-system-x86 busybox-static xz-utils; then
  e2e_status=0
  tests/e2e-hid/run.sh --build-dir "build/$preset" || e2e_status=$?
  [ "$e2e_status" -eq 77 ] && e2e_status=0   # skipped, with the reason printed
  [ "$e2e_status" -eq 0 ] || exit "$e2e_status"
elif [ "$(id -u)" -eq 0 ]; then
  echo "e2e-hid: SKIPPED: qemu-system-x86, busybox-static or xz-utils could not be installed" \
    "(no network to the Debian mirror?)"
else
  echo "e2e-hid: SKIPPED: qemu-system-x86, busybox-static or xz-utils are missing and" \
    "this is not root (install them as shown above)"
fi
# ---- end e2e-hid

# ---- windows: core, qel11ctl and qel11-sim cross-built with mingw-w64, their tests under
# Wine (the Linux CLI cases against qel11ctl.exe and the Linux qel11-sim among them), and
# the zip of the two programs (build/windows/qel11-tools-VERSION-windows-x64.zip)
echo "== windows (mingw-w64, tests under Wine)"
if scripts/deps.sh g++-mingw-w64-x86-64-posix wine64 googletest; then
  windows_start=$(date +%s)
  cmake --preset windows -DQEL_LINUX_BUILD_DIR="$PWD/build/$preset"
  cmake --build --preset windows -j "$jobs"
  ctest --preset windows -j "$jobs"
  scripts/check-windows-zip.sh build/windows "build/$preset"
  echo "windows: $(($(date +%s) - windows_start)) s"
elif [ "$(id -u)" -eq 0 ]; then
  echo "windows: SKIPPED: mingw-w64, wine64 or googletest could not be installed" \
    "(no network to the Debian mirror?)"
else
  echo "windows: SKIPPED: mingw-w64, wine64 or googletest are missing and this is not root" \
    "(install them as shown above)"
fi
# ---- end windows

# ---- package: the Debian package of the build above, its contents and a scratch install
echo "== package ($preset)"
scripts/check-package.sh "build/$preset"
# ---- end package

echo "== build (asan)"
cmake --preset asan
cmake --build --preset asan -j "$jobs"
echo "== tests (asan: core and sim)"
ctest --preset asan -j "$jobs"

# ---- fuzz: each libFuzzer target for a few seconds from its seed corpus (fuzz/run.sh; a
# finding fails the run and names its reproducer)
echo "== fuzz (clang-14, ASan + UBSan)"
if scripts/deps.sh clang-14 libclang-rt-14-dev; then
  fuzz/run.sh --time 5 --jobs "$jobs" --fresh
elif [ "$(id -u)" -eq 0 ]; then
  echo "fuzz: SKIPPED: clang-14 or libclang-rt-14-dev could not be installed" \
    "(no network to the Debian mirror?)"
else
  echo "fuzz: SKIPPED: clang-14 or libclang-rt-14-dev are missing and this is not root" \
    "(install them as shown above)"
fi
# ---- end fuzz

# ---- style, second half, its result: the clang-tidy run started after the build
echo "== style: clang-tidy (result)"
tidy_status=0
wait "$tidy_pid" || tidy_status=$?
trap - EXIT
cat "$tidy_log"
exit "$tidy_status"
