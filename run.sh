#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and starts the window program. Without --device it
# talks to the built-in virtual instrument.
#   ./run.sh                         the tool against the virtual instrument
#   ./run.sh --device tcp:HOST:PORT  against an instrument served over the report stream
#   ./run.sh --device auto           against a QEL11 on USB
#   ./run.sh --simulate 6083         service mode (the service code as first argument)
set -euo pipefail
cd "$(dirname "$0")"

scripts/deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)"

args=("$@")
case " ${args[*]:-} " in
  *" --device"* | *" --simulate "*) ;;
  *) args=(--simulate "${args[@]}") ;;
esac

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  cat <<TXT
No display found (neither DISPLAY nor WAYLAND_DISPLAY is set), so the window program
cannot open its windows. Start it on a desktop, or with a virtual one:
  xvfb-run -a -s "-screen 0 1280x1024x24" build/default/src/gui/qel11-config ${args[*]}

Meanwhile, what the instrument says, through qel11ctl:
TXT
  ctl=build/default/src/cli/qel11ctl
  dev=(--device sim)
  for ((i = 0; i < ${#args[@]}; i++)); do
    [ "${args[$i]}" = "--device" ] && dev=(--device "${args[$((i + 1))]}")
  done
  "$ctl" "${dev[@]}" scpi '*IDN?' 'MODE?' ':rang?;unit?' 'syst:err?'
  "$ctl" "${dev[@]}" display
  exit 0
fi
exec build/default/src/gui/qel11-config "${args[@]}"
