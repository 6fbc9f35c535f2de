#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The cases of the end-to-end suite, run inside the guest (as root, in the host's root
# file system shared read-only, with /dev, /tmp and the results folder of its own). Each
# case runs qel11ctl (or the window program's objects) through hidapi and hidraw against
# qel11-sim --uhid and writes its verdict to $QEL_E2E_RESULTS/cases/NAME: a first line
# "PASS", "FAIL: why" or "SKIP: why", then details. The host's run.sh reports them.
#
# To add a case: write a function case_NAME that states what it expects with the expect_*
# helpers (or calls skip/broken and returns), and add NAME to CASES below.
set -uo pipefail

: "${QEL_E2E_RESULTS:?}" "${QEL11CTL:?}" "${QEL11SIM:?}" "${QEL_E2E_FOREIGN:?}"
QEL_E2E_GUI_PROBE=${QEL_E2E_GUI_PROBE:-}

CASES=(
  list_fe78 list_003f scpi_exact cut_at_64 cut_at_65 silent_device unplug_during_command
  unplug_by_device foreign_devices
  cmd_read cmd_write cmd_store cmd_display cmd_info cmd_errors cmd_hardcopy
  many_hid_and_tcp
  gui_connected gui_rescan
)

# run.sh --only "NAME ..." runs some of them.
if [ -n "${QEL_E2E_ONLY:-}" ]; then
  read -r -a CASES <<<"$QEL_E2E_ONLY"
fi

results=$QEL_E2E_RESULTS
mkdir -p "$results/cases" "$results/work"
printf '%s\n' "${CASES[@]}" >"$results/cases.list"

IDN='KORVAL,QEL11,11230042,1.07'
LINE70=0123456789012345678901234567890123456789012345678901234567890123456789

# ---- helpers --------------------------------------------------------------------------

# Polling and logging use shell builtins only: under emulation every process started
# costs the guest's one CPU, which the instrument and the tool need.
log() {
  local up rest
  read -r up rest </proc/uptime
  echo "[$up] $*"
}

# A pause without starting a process: a read that times out on a pipe nobody writes to.
exec {pause_fd}<> <(:)
pause() { read -r -t "$1" -u "$pause_fd" || true; }

# Polls a command every 50 ms until it succeeds or `seconds` have passed.
wait_for() {
  local seconds=$1
  shift
  local tries=$((seconds * 20))
  while ((tries-- > 0)); do
    "$@" && return 0
    pause 0.05
  done
  "$@"
}

# The file's lines joined by " | ".
lines_of() {
  local line out='' sep=''
  [ -f "$1" ] || {
    printf '<no %s>' "${1##*/}"
    return
  }
  while IFS= read -r line || [ -n "$line" ]; do
    out+="$sep$line"
    sep=" | "
  done <"$1"
  printf '%s' "$out"
}

# True when a line of the file contains the text.
has_line() { # has_line FILE TEXT
  local line
  [ -f "$1" ] || return 1
  while IFS= read -r line; do [[ $line == *"$2"* ]] && return 0; done <"$1"
  return 1
}

# The hidraw node of the HID device with the given vendor and product ID (4 hex digits).
node_of() {
  local want="HID_ID=0003:0000${1^^}:0000${2^^}" d line
  for d in /sys/class/hidraw/hidraw*; do
    [ -e "$d/device/uevent" ] || continue
    while IFS= read -r line; do
      if [ "${line^^}" = "$want" ] && [ -c "/dev/${d##*/}" ]; then
        echo "/dev/${d##*/}"
        return 0
      fi
    done <"$d/device/uevent"
  done
  return 1
}
has_node() { node_of "$@" >/dev/null; }
no_node() { ! node_of "$@" >/dev/null; }

SIM_PID=
SIM_NAME=
# start_sim NAME [qel11-sim options]: the instrument as a uhid device, with its record
# ($W/NAME.record), event log ($W/NAME.events) and output ($W/NAME.out); waits for its node.
start_sim() {
  SIM_NAME=$1
  shift
  local product=FE78 a
  for a in "$@"; do [ "$a" = 003F ] && product=003F; done
  "$QEL11SIM" --uhid --record "$W/$SIM_NAME.record" --uhid-events "$W/$SIM_NAME.events" "$@" \
    >"$W/$SIM_NAME.out" 2>"$W/$SIM_NAME.err" &
  SIM_PID=$!
  START_ERROR=
  if ! wait_for 10 has_line "$W/$SIM_NAME.out" 'uhid device created'; then
    START_ERROR="qel11-sim --uhid did not create its device: $(lines_of "$W/$SIM_NAME.err")"
    return 1
  fi
  # The hidraw node follows 30-150 ms after the device (later under emulation).
  if ! wait_for 10 has_node 04D8 "$product"; then
    START_ERROR="no hidraw node appeared for 04D8:$product"
    return 1
  fi
  log "  qel11-sim $* plugged in"
}

stop_sim() {
  [ -n "$SIM_PID" ] || return 0
  kill -TERM "$SIM_PID" 2>/dev/null
  wait "$SIM_PID" 2>/dev/null
  SIM_PID=
  wait_for 10 no_node 04D8 FE78 && wait_for 10 no_node 04D8 003F
  log "  qel11-sim unplugged"
}

FOREIGN_PIDS=()
# start_foreign NAME VID PID: a HID device that is no instrument; events in $W/NAME.events.
start_foreign() {
  "$QEL_E2E_FOREIGN" --vendor "$2" --product "$3" --events "$W/$1.events" >"$W/$1.out" \
    2>"$W/$1.err" &
  FOREIGN_PIDS+=($!)
  wait_for 10 has_line "$W/$1.out" 'uhid device created' && wait_for 10 has_node "$2" "$3"
}
stop_foreign() {
  local p
  for p in "${FOREIGN_PIDS[@]}"; do kill -TERM "$p" 2>/dev/null && wait "$p" 2>/dev/null; done
  FOREIGN_PIDS=()
}

# ctl NAME ARGS...: qel11ctl --device auto ARGS, with stdout, stderr and exit status in
# $W/NAME.{stdout,stderr,status}; never longer than 30 s.
ctl() {
  local name=$1
  shift
  timeout 30 "$QEL11CTL" --device auto "$@" >"$W/$name.stdout" 2>"$W/$name.stderr"
  echo $? >"$W/$name.status"
  log "  qel11ctl $* -> $(<"$W/$name.status")"
}
# The same against the in-process virtual instrument, for comparison.
ctl_sim() {
  local name=$1
  shift
  timeout 30 "$QEL11CTL" --device sim "$@" >"$W/$name.stdout" 2>"$W/$name.stderr"
  echo $? >"$W/$name.status"
}

# ---- expectations ----------------------------------------------------------------------
# Each unmet expectation is noted; the case fails with the first one. Messages are made
# only on failure, so a passing case starts few processes.

FAILS=()
unmet() { FAILS+=("$1"); }

expect_status() { # expect_status NAME CODE: the exit status of run NAME (ctl, ctl_sim)
  local got
  read -r got <"$W/$1.status"
  [ "$got" = "$2" ] || unmet "$1: exit status $got, not $2 ($(lines_of "$W/$1.stderr"))"
}
expect_lines() { # expect_lines FILE WHAT LINE...: the file holds exactly these lines
  local file=$1 what=$2 want='' sep='' line
  shift 2
  for line in "$@"; do
    want+="$sep$line"
    sep=" | "
  done
  local got
  got=$(lines_of "$file")
  [ "$got" = "$want" ] || unmet "$what: '$got', not '$want'"
}
expect_line() { # expect_line FILE WHAT TEXT: a line of the file contains TEXT
  has_line "$1" "$3" || unmet "$2: no line with '$3' in '$(lines_of "$1")'"
}
expect_no_line() { # expect_no_line FILE WHAT TEXT: no line of the file contains TEXT
  has_line "$1" "$3" && unmet "$2: '$(lines_of "$1")'"
}
expect_same() { # expect_same FILE FILE WHAT
  cmp -s "$1" "$2" || unmet "$3"
}
# Parameter files carry the time they were saved at; the rest must match byte for byte.
expect_same_but_time() { # expect_same_but_time FILE FILE WHAT
  cmp -s <(grep -av '^Save at=' "$1") <(grep -av '^Save at=' "$2") || unmet "$3"
}
# Output report sizes as the device received them, e.g. "11x64" or "1x64 1x65".
output_sizes() {
  local word size rest out='' sep=''
  local -A count=()
  local order=()
  while read -r word size rest; do
    [ "$word" = output ] || continue
    [ -n "${count[$size]:-}" ] || order+=("$size")
    count[$size]=$((${count[$size]:-0} + 1))
  done <"$1"
  for size in "${order[@]}"; do
    out+="$sep${count[$size]}x$size"
    sep=" "
  done
  printf '%s' "$out"
}
expect_sizes() { # expect_sizes EVENTS WANT
  local got
  got=$(output_sizes "$1")
  [ "$got" = "$2" ] || unmet "output reports at the device: '$got', not '$2'"
}

verdict() { # verdict NAME STATUS TEXT; a failed case keeps its text files for the report
  {
    echo "$2${3:+: $3}"
    if [ "$2" = FAIL ]; then
      local f
      for f in "$W"/*; do
        [ -f "$f" ] || continue
        [ -s "$f" ] && ! grep -qI '' "$f" && continue # text files only
        echo "--- ${f##*/}"
        head -c 4000 "$f" | cat -v
        echo
      done
    fi
  } >"$results/cases/$1"
  log "$1: $2${3:+: $3}"
}

run_case() {
  local name=$1
  W=$results/work/$name
  mkdir -p "$W"
  FAILS=()
  CASE_STATUS=
  CASE_TEXT=
  if declare -F "case_$name" >/dev/null; then
    "case_$name"
  else
    broken "there is no case $name"
  fi
  stop_sim >/dev/null
  stop_foreign
  if [ -z "$CASE_STATUS" ]; then
    if [ ${#FAILS[@]} -eq 0 ]; then
      CASE_STATUS=PASS
    else
      CASE_STATUS=FAIL
      CASE_TEXT=${FAILS[0]}
      [ ${#FAILS[@]} -gt 1 ] && CASE_TEXT+=" (and $((${#FAILS[@]} - 1)) more: ${FAILS[*]:1})"
    fi
  fi
  verdict "$name" "$CASE_STATUS" "$CASE_TEXT"
}
skip() {
  CASE_STATUS=SKIP
  CASE_TEXT=$1
}
broken() {
  CASE_STATUS=FAIL
  CASE_TEXT=$1
}

# ---- cases ----------------------------------------------------------------------------

case_list_fe78() {
  start_sim sim || { broken "$START_ERROR"; return; }
  local node
  node=$(node_of 04D8 FE78)
  ctl list list
  expect_status list 0
  # hidapi hands a uhid device over without a manufacturer string: not checked here.
  local line
  IFS= read -r line <"$W/list.stdout"
  [[ $line == "$node"$'\t'"DEV: "*" Vendor:\$04D8 Product:\$FE78" ]] ||
    unmet "list shows '$line', not '$node<TAB>DEV: ... Vendor:\$04D8 Product:\$FE78'"
  expect_lines "$W/list.stdout" "list" "$line"
}

case_list_003f() {
  start_sim sim --product 003F || { broken "$START_ERROR"; return; }
  ctl list list
  expect_line "$W/list.stdout" "list" "Vendor:\$04D8 Product:\$003F"
  ctl idn scpi '*IDN?'
  expect_lines "$W/idn.stdout" "scpi with product 003F" "*IDN? -> $IDN"
}

case_scpi_exact() {
  start_sim sim || { broken "$START_ERROR"; return; }
  local lines=('*IDN?' 'MODE?' 'RANG?' 'UNIT?' 'syst:err?' 'UNIT GAUSS' 'FOO' 'syst:err?'
    'DGIO:IN?' ':rang?;unit?' "$LINE70")
  ctl hid scpi "${lines[@]}"
  ctl_sim inproc scpi "${lines[@]}"
  expect_status hid 0
  expect_same "$W/hid.stdout" "$W/inproc.stdout" "the transcript differs from the in-process instrument's"
  expect_line "$W/hid.stdout" "scpi" "*IDN? -> $IDN"
  expect_lines "$W/sim.record" "lines at the device" "${lines[@]:0:10}" "${LINE70:0:64}"
  expect_sizes "$W/sim.events" "11x64"
  local outputs=()
  for _ in "${lines[@]}"; do outputs+=("output 64"); done
  expect_lines "$W/sim.events" "device events" create start open "${outputs[@]}" close
}

# One 70-character line: the link cuts it to what the output report holds.
cut_case() { # cut_case OUT-LENGTH TEXT-BYTES
  start_sim sim --out-length "$1" || { broken "$START_ERROR"; return; }
  ctl cut scpi "$LINE70" '*IDN?'
  expect_status cut 0
  expect_lines "$W/sim.record" "lines at the device" "${LINE70:0:$2}" '*IDN?'
  expect_sizes "$W/sim.events" "2x$2"
  expect_line "$W/cut.stdout" "scpi after the long line" "*IDN? -> $IDN"
}
case_cut_at_64() { cut_case 65 64; }
case_cut_at_65() { cut_case 66 65; }

case_silent_device() {
  start_sim sim --stop-after 1 || { broken "$START_ERROR"; return; }
  ctl silent scpi '*IDN?' 'MODE?' 'UNIT?'
  expect_status silent 1
  expect_lines "$W/silent.stdout" "transcript" "*IDN? -> $IDN" 'MODE?' 'UNIT?'
  expect_line "$W/silent.stderr" "stderr" "no answer to MODE?"
  expect_line "$W/silent.stderr" "stderr" "no answer to UNIT?"
  # The time limit runs out on MODE?; during the hold-off UNIT? is not written at all.
  expect_lines "$W/sim.record" "lines at the device" '*IDN?' 'MODE?'
}

case_unplug_during_command() {
  start_sim sim --latency 3000 || { broken "$START_ERROR"; return; }
  timeout 60 "$QEL11CTL" --device auto --timeout 30000 scpi '*IDN?' 'MODE?' >"$W/cut.stdout" \
    2>"$W/cut.stderr" &
  local ctl_pid=$!
  if ! wait_for 20 has_line "$W/sim.record" 'IDN'; then
    kill "$ctl_pid"
    broken "the first line never reached the device"
    return
  fi
  stop_sim >/dev/null # unplug while qel11ctl waits for the answer
  local tries=200
  while kill -0 "$ctl_pid" 2>/dev/null && ((tries-- > 0)); do pause 0.05; done
  if kill -0 "$ctl_pid" 2>/dev/null; then
    kill "$ctl_pid"
    unmet "qel11ctl still waits 10 s after the device was unplugged"
  fi
  wait "$ctl_pid"
  echo $? >"$W/cut.status"
  expect_status cut 1
  expect_line "$W/cut.stderr" "stderr" "no answer to *IDN?"
  # Plugged in again: the next run's scan finds it.
  start_sim again || { broken "$START_ERROR"; return; }
  ctl after scpi '*IDN?'
  expect_status after 0
  expect_lines "$W/after.stdout" "scpi after plugging in again" "*IDN? -> $IDN"
}

case_unplug_by_device() {
  start_sim sim --disconnect-after 2 --replug-ms 500 || { broken "$START_ERROR"; return; }
  ctl gone scpi '*IDN?' 'MODE?' 'UNIT?'
  expect_status gone 1
  expect_lines "$W/gone.stdout" "transcript" "*IDN? -> $IDN" 'MODE? -> DC' 'UNIT?'
  expect_line "$W/gone.stderr" "stderr" "no answer to UNIT?"
  expect_lines "$W/sim.record" "lines at the device" '*IDN?' 'MODE?'
  wait_for 10 has_line "$W/sim.out" 'uhid device destroyed' || unmet "the device did not unplug itself"
  wait_for 10 has_node 04D8 FE78 || unmet "the device did not come back"
  ctl after scpi 'MODE?'
  expect_status after 0
  expect_lines "$W/after.stdout" "scpi after the device came back" "MODE? -> DC"
}

case_foreign_devices() {
  start_foreign other 1234 5678 || { broken "the foreign device 1234:5678 did not appear"; return; }
  start_foreign sibling 04D8 0001 || { broken "the foreign device 04D8:0001 did not appear"; return; }
  ctl none_list list
  expect_status none_list 1
  expect_lines "$W/none_list.stdout" "list without the instrument"
  ctl none_scpi scpi '*IDN?'
  expect_status none_scpi 1
  start_sim sim || { broken "$START_ERROR"; return; }
  ctl list list
  local line
  IFS= read -r line <"$W/list.stdout"
  expect_lines "$W/list.stdout" "list" "$(node_of 04D8 FE78)"$'\t'"${line#*$'\t'}"
  expect_line "$W/list.stdout" "list" "Vendor:\$04D8 Product:\$FE78"
  ctl idn scpi '*IDN?' 'MODE?'
  expect_lines "$W/idn.stdout" "scpi beside other HID devices" "*IDN? -> $IDN" 'MODE? -> DC'
  expect_no_line "$W/other.events" "events of the device 1234:5678" open
  expect_no_line "$W/other.events" "events of the device 1234:5678" output
  expect_no_line "$W/sibling.events" "events of the device 04D8:0001" open
  expect_no_line "$W/sibling.events" "events of the device 04D8:0001" output
}

# Commands that run page, information and service sequences: where qel11ctl has them, the
# uhid instrument must get exactly the lines the tool logs as sent and give the same
# result as the in-process instrument.
has_command() { # qel11ctl --help lists its commands as "  NAME  description"
  local line
  while IFS= read -r line; do [[ $line == "  $1 "* ]] && return 0; done <"$results/qel11ctl-help.txt"
  return 1
}
sent_lines() { sed -n 's/^[0-9][0-9]\.[0-9][0-9]\.[0-9][0-9][0-9] SND : //p' "$1"; }
command_case() { # command_case NAME ARGS... ; "@OUT" stands for an output file ($OUT_EXT)
  local cmd=$1 ext=${OUT_EXT:-}
  has_command "$cmd" || { skip "qel11ctl has no '$cmd' command yet"; return; }
  start_sim sim || { broken "$START_ERROR"; return; }
  local hid_args=() sim_args=() a
  for a in "$@"; do
    hid_args+=("${a//@OUT/$W/hid.file$ext}")
    sim_args+=("${a//@OUT/$W/inproc.file$ext}")
  done
  ctl hid --log "${hid_args[@]}"
  ctl_sim inproc --log "${sim_args[@]}"
  expect_status hid 0
  expect_same "$W/hid.stdout" "$W/inproc.stdout" "$cmd prints other text than with the in-process instrument"
  if [ -e "$W/inproc.file$ext" ] || [ -e "$W/hid.file$ext" ]; then
    expect_same_but_time "$W/hid.file$ext" "$W/inproc.file$ext" \
      "$cmd writes another file than with the in-process instrument"
  fi
  sent_lines "$W/hid.stderr" >"$W/sent.lines"
  expect_same "$W/sim.record" "$W/sent.lines" "the device received other lines than $cmd logged as sent"
  [ -s "$W/sent.lines" ] || unmet "$cmd sent no line"
}
case_cmd_read() { command_case read -o @OUT; }
case_cmd_store() { command_case store; }
case_cmd_display() { command_case display; }
case_cmd_info() { command_case info; }
case_cmd_errors() { command_case errors; }
case_cmd_hardcopy() { OUT_EXT=.jpg command_case hardcopy -o @OUT; }
case_cmd_write() {
  has_command write || { skip "qel11ctl has no 'write' command yet"; return; }
  has_command read || { skip "qel11ctl has no 'read' command to make a parameter file"; return; }
  if ! "$QEL11CTL" --device sim read -o "$W/params.QEL" >/dev/null 2>&1; then
    broken "qel11ctl --device sim read -o FILE failed"
    return
  fi
  command_case write "$W/params.QEL"
}

# Several instruments at once: the HID instrument (by --device all, auto and its node:
# one instrument, run once, named by its node) beside one over TCP.
case_many_hid_and_tcp() {
  start_sim sim || { broken "$START_ERROR"; return; }
  local node port tcp_pid
  node=$(node_of 04D8 FE78)
  "$QEL11SIM" --port 0 >"$W/tcp.out" 2>"$W/tcp.err" &
  tcp_pid=$!
  if ! wait_for 10 has_line "$W/tcp.out" 'listening on tcp:127.0.0.1:'; then
    kill -TERM "$tcp_pid" 2>/dev/null
    broken "qel11-sim --port 0 did not start: $(lines_of "$W/tcp.err")"
    return
  fi
  read -r port <"$W/tcp.out"
  port=${port##*:}
  timeout 30 "$QEL11CTL" --device all --device auto --device "$node" \
    --device "tcp:127.0.0.1:$port" scpi '*IDN?' >"$W/many.stdout" 2>"$W/many.stderr"
  echo $? >"$W/many.status"
  kill -TERM "$tcp_pid" 2>/dev/null
  wait "$tcp_pid" 2>/dev/null
  expect_status many 0
  expect_line "$W/many.stdout" "the HID instrument's line" "$node"$'\t'"*IDN? -> $IDN"
  expect_line "$W/many.stdout" "the TCP instrument's line" "tcp:127.0.0.1:$port"$'\t'"*IDN? -> $IDN"
  [ "$(lines_of "$W/many.stdout")" = "${node}"$'\t'"*IDN? -> $IDN | tcp:127.0.0.1:$port"$'\t'"*IDN? -> $IDN" ] ||
    [ "$(lines_of "$W/many.stdout")" = "tcp:127.0.0.1:$port"$'\t'"*IDN? -> $IDN | ${node}"$'\t'"*IDN? -> $IDN" ] ||
    unmet "two lines, one per instrument: '$(lines_of "$W/many.stdout")'"
  expect_lines "$W/sim.record" "lines at the HID instrument" '*IDN?'
}

# The window program's objects over hidapi: connected when started with the instrument
# plugged in; found by the rescan timer (no udevd here) when plugged in later; not
# connected once it is unplugged; other HID devices never opened.
gui_saw_unplug() { # a "connected=0" line after a "connected=1" line
  local line seen=0
  [ -f "$W/gui.stdout" ] || return 1
  while IFS= read -r line; do
    [[ $line == connected=1* ]] && seen=1
    [[ $line == connected=0* && $seen == 1 ]] && return 0
  done <"$W/gui.stdout"
  return 1
}
start_probe() {
  QT_QPA_PLATFORM=offscreen HOME=/tmp XDG_RUNTIME_DIR=/tmp timeout 90 "$QEL_E2E_GUI_PROBE" \
    --seconds 60 --settings "$W/settings.ini" >"$W/gui.stdout" 2>"$W/gui.stderr" &
  PROBE_PID=$!
}
stop_probe() { kill "$PROBE_PID" 2>/dev/null && wait "$PROBE_PID" 2>/dev/null; }

case_gui_connected() {
  [ -x "$QEL_E2E_GUI_PROBE" ] || { skip "the window program is not built (no e2e_gui_probe)"; return; }
  start_sim sim || { broken "$START_ERROR"; return; }
  start_probe
  wait_for 30 has_line "$W/gui.stdout" 'connected=' || unmet "the window program shows no state"
  stop_probe
  grep -v '^end$' "$W/gui.stdout" >"$W/gui.states"
  expect_lines "$W/gui.states" "the window program's states" "connected=1 idn=$IDN"
}

case_gui_rescan() {
  [ -x "$QEL_E2E_GUI_PROBE" ] || { skip "the window program is not built (no e2e_gui_probe)"; return; }
  start_foreign other 1234 5678 || { broken "the foreign device 1234:5678 did not appear"; return; }
  start_probe
  wait_for 30 has_line "$W/gui.stdout" 'connected=0' || unmet "the window program shows no state"
  start_sim sim || { broken "$START_ERROR"; return; }
  wait_for 15 has_line "$W/gui.stdout" 'connected=1' ||
    unmet "the rescan does not find the instrument plugged in later"
  stop_sim >/dev/null
  wait_for 15 gui_saw_unplug || unmet "the rescan does not notice the unplug"
  local node fd
  node=$(node_of 1234 5678)
  for fd in /proc/"$PROBE_PID"/fd/*; do
    [ "$(readlink "$fd")" = "$node" ] && unmet "the window program holds $node open"
  done
  stop_probe
  grep -v '^end$' "$W/gui.stdout" >"$W/gui.states"
  expect_lines "$W/gui.states" "the window program's states" connected=0 "connected=1 idn=$IDN" connected=0
  expect_no_line "$W/other.events" "events of the device 1234:5678" open
}

# ---- run ------------------------------------------------------------------------------

"$QEL11CTL" --help >"$results/qel11ctl-help.txt" 2>&1
log "cases start"
for name in "${CASES[@]}"; do
  run_case "$name"
done
log "cases end"
