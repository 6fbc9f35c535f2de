#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets (CMake preset "fuzz": clang-14, ASan + UBSan) and runs each
# for a fixed time, starting from its checked-in seed corpus.
#
# Usage: fuzz/run.sh [--time SECONDS] [--jobs N] [--fresh] [TARGET...]
#   --time SECONDS  run time per target (default 5)
#   --jobs N        targets run side by side (default 1)
#   --fresh         forget the inputs found by earlier runs, start from the seeds alone
#   TARGET          ini_file, parameter_file, numbers, ... (default: all of fuzz/CMakeLists.txt)
#
# New inputs go to build/fuzz/corpus/TARGET (kept between runs unless --fresh;
# fuzz/corpus/TARGET is only read), logs to build/fuzz/logs/TARGET.log. A crash, leak,
# sanitizer report or violated property is kept as build/fuzz/findings/TARGET-crash-...
# (or -leak-, -timeout-, -oom-); the script then prints its path and the command that
# replays it, and exits 1.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=5
jobs=1
fresh=0
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --time) seconds="$2"; shift 2 ;;
    --jobs) jobs="$2"; shift 2 ;;
    --fresh) fresh=1; shift ;;
    -h|--help) awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"
               exit 0 ;;
    -*) echo "fuzz/run.sh: unknown option $1" >&2; exit 2 ;;
    *) targets+=("$1"); shift ;;
  esac
done
if [ ${#targets[@]} -eq 0 ]; then
  # The list in fuzz/CMakeLists.txt, between "set(QEL_FUZZERS" and ")".
  mapfile -t targets < <(sed -n '/^set(QEL_FUZZERS/,/)/p' fuzz/CMakeLists.txt |
    sed '1d; s/[) ]//g' | grep -v '^$')
fi

build=build/fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"
mkdir -p "$build/corpus" "$build/logs" "$build/findings"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

# Runs one target; prints one line, and on a finding the reproducer and how to replay it.
run_one() {
  local target=$1
  local binary="$build/fuzz/fuzz_$target"
  local seeds="fuzz/corpus/$target"
  local work="$build/corpus/$target"
  local log="$build/logs/$target.log"
  if [ ! -x "$binary" ] || [ ! -d "$seeds" ]; then
    echo "fuzz $target: no such target (no $binary or no $seeds)"
    return 1
  fi
  [ "$fresh" -eq 1 ] && rm -rf "$work"
  mkdir -p "$work"
  rm -f "$build/findings/$target-"*
  local status=0
  "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$build/findings/$target-" "$work" "$seeds" >"$log" 2>&1 || status=$?
  local runs
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  if [ "$status" -eq 0 ]; then
    echo "fuzz $target: ${runs:-?} runs in ${seconds} s, corpus $(ls "$work" | wc -l) inputs, no finding"
    return 0
  fi
  echo "fuzz $target: FINDING (exit status $status), log $log:"
  grep -E 'ERROR|property violated|runtime error|SUMMARY' "$log" | head -5 | sed 's/^/  /'
  local artifact
  for artifact in "$build/findings/$target-"*; do
    [ -e "$artifact" ] || continue
    echo "  reproducer: $artifact"
    echo "  replay:     $binary $artifact"
  done
  return 1
}

failed=0
running=0
for target in "${targets[@]}"; do
  if [ "$jobs" -le 1 ]; then
    run_one "$target" || failed=1
    continue
  fi
  run_one "$target" &
  running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then
    wait -n || failed=1
    running=$((running - 1))
  fi
done
while [ "$running" -gt 0 ]; do
  wait -n || failed=1
  running=$((running - 1))
done
exit "$failed"
