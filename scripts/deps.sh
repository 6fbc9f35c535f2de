#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the project needs when any is missing. As root it runs
# apt-get; otherwise it prints the apt-get line to run and fails.
# Usage: scripts/deps.sh [extra-package ...]
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  clang-format clang-tidy                # the style gate (scripts/check-style.sh): both 14
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev libhidapi-dev libcli11-dev libudev-dev libjpeg-dev
  qt6-translations-l10n                  # Qt's own dialogs in German (and their test)
  help2man dpkg-dev desktop-file-utils   # man pages, the Debian package and its checks
  locales                                # localedef and de_DE for the locale-dependent tests
  jq                                     # the qel11ctl --json tests parse with it
  bash-completion                        # the package check loads the completions with it
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "Missing Debian packages. Install them with:" >&2
  echo "  sudo apt-get install ${missing[*]}" >&2
  exit 1
fi
