#!/usr/bin/env bash
# Installs what is missing, builds, and starts the tool. Without --device it talks to the
# built-in virtual instrument.
#   ./run.sh                         demonstration against the virtual instrument
#   ./run.sh --device tcp:HOST:PORT  against an instrument served over the report stream
#   ./run.sh --device auto           against a QEL11 on USB
set -euo pipefail
cd "$(dirname "$0")"

scripts/deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)"

args=("$@")
[ ${#args[@]} -eq 0 ] && args=(--device sim)
ctl=build/default/src/cli/qel11ctl

echo "== qel11ctl ${args[*]} list"
"$ctl" "${args[@]}" list || true
echo "== qel11ctl ${args[*]} scpi '*IDN?' 'MODE?' ':rang?;unit?' 'syst:err?'"
"$ctl" "${args[@]}" --log scpi '*IDN?' 'MODE?' ':rang?;unit?' 'syst:err?'
