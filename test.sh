#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the whole suite with ctest, then
# the Debian package built and checked, then the core and sim tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"

scripts/deps.sh xvfb xauth

preset=default
[ -n "${CI:-}" ] && preset=ci   # warnings are errors in CI
jobs=$(nproc)

echo "== build ($preset)"
cmake --preset "$preset"
cmake --build --preset "$preset" -j "$jobs"
echo "== tests ($preset)"
ctest --preset "$preset" -j "$jobs"

# ---- package: the Debian package of the build above, its contents and a scratch install
echo "== package ($preset)"
scripts/check-package.sh "build/$preset"
# ---- end package

echo "== build (asan)"
cmake --preset asan
cmake --build --preset asan -j "$jobs"
echo "== tests (asan: core and sim)"
ctest --preset asan -j "$jobs"
