#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The style gate, run by ./test.sh before the tests and by hand before a commit:
#  - clang-format (Debian's clang-format 14, the repository's .clang-format) over every C++
#    file of the tree: a file it would change fails the gate;
#  - clang-tidy (Debian's clang-tidy 14, the repository's .clang-tidy) over the project's own
#    translation units of a finished build (its compile_commands.json): the core, the
#    virtual instrument, qel11ctl and the window program (QEL_TIDY_GUI=0: not the window
#    program, for a build without it); any finding
#    fails the gate. The units go to clang-tidy in batches of about 12 (QEL_TIDY_BATCH)
#    units of one library, one generated file including them (BUILD_DIR/
#    clang-tidy-batches), so the headers they share are parsed and matched once per batch:
#    about a sixth of the time of one run per unit. The findings are those of one run per
#    unit, each at its line in its own file, except for the few checks that look only at
#    a run's main file (misc-unused-using-decls): QEL_TIDY_BATCH=1 runs them too.
#    clang-tidy runs on all cores; a batch whose units, project headers, compile command and .clang-tidy
#    are unchanged since it last passed is not checked again (the record is kept in
#    BUILD_DIR/clang-tidy-passed); QEL_TIDY_ONLY=REGEX checks only the units whose path
#    matches;
#  - every project source file must carry the line "SPDX-License-Identifier:
#    GPL-3.0-or-later" (scripts/add-spdx.sh adds it; QEL_REQUIRE_SPDX=0 skips the check).
# Usage: scripts/check-style.sh [--format-only | --tidy-only] [BUILD_DIR]
#   BUILD_DIR defaults to build/default; QEL_TIDY_JOBS sets the parallel clang-tidy runs.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD

run_format=1
run_tidy=1
case "${1:-}" in
  --format-only) run_tidy=0; shift ;;
  --tidy-only) run_format=0; shift ;;
esac
build=${1:-build/default}
fail=0

# The project's files as git sees them (tracked, or new and not ignored): build folders and
# other ignored files stay out.
project_files() { git ls-files --cached --others --exclude-standard -- "$@"; }

if [ "$run_format" -eq 1 ]; then
  start=$(date +%s)
  if ! project_files '*.cpp' '*.h' | xargs -r -P "$(nproc)" -n 20 \
      clang-format-14 --dry-run -Werror; then
    echo "FAIL: clang-format: the files above are not formatted (clang-format-14 -i FILE)"
    fail=1
  fi
  echo "clang-format: $(project_files '*.cpp' '*.h' | wc -l) files, $(($(date +%s) - start)) s"
fi

if [ "${QEL_REQUIRE_SPDX:-1}" = 1 ]; then
  missing=$(scripts/add-spdx.sh --list)
  if [ -n "$missing" ]; then
    echo "FAIL: no SPDX-License-Identifier line (scripts/add-spdx.sh adds it):"
    echo "$missing"
    fail=1
  fi
fi

# clang-tidy reads units in batches: one generated file per batch includes its units, which
# share one compile command (those of one library do), so the system and library headers,
# most of what clang-tidy parses and matches, are read once per batch, not once per unit.
# make_batches BUILD DIR PARTS ONLY SIZE writes DIR/NAME.cpp, DIR/NAME.units ("UNIT<TAB>
# OBJECT" lines) and DIR/compile_commands.json, and prints the batch names.
make_batches() {
  python3 - "$@" << 'PYTHON'
import json, os, re, shlex, sys
build, out, parts, only, size = sys.argv[1:6]
source = os.getcwd()
only, size = re.compile(only), max(1, int(size))
groups = {}
for entry in json.load(open(build + "/compile_commands.json")):
    unit = entry["file"]
    part = next((p for p in parts.split() if unit.startswith(f"{source}/src/{p}/")), None)
    if part is None or not only.search(unit):
        continue
    args = shlex.split(entry["command"])
    output = args.index("-o")
    obj = args[output + 1]
    rest = [a for i, a in enumerate(args) if i not in (output, output + 1) and a != unit]
    groups.setdefault((part, tuple(rest), entry["directory"]), {})[unit] = obj
commands = []
for number, ((part, rest, directory), units) in enumerate(sorted(groups.items())):
    names = sorted(units)
    count = -(-len(names) // size)
    for b in range(count):
        members = names[b * len(names) // count:(b + 1) * len(names) // count]
        name = f"{part}-{number}-{b}"
        path = f"{out}/{name}.cpp"
        with open(path, "w") as f:
            f.write("".join(f'#include "{m}"\n' for m in members))
        with open(f"{out}/{name}.units", "w") as f:
            f.write("".join(f"{m}\t{units[m]}\n" for m in members))
        command = " ".join(shlex.quote(a) for a in rest) + f" -o {name}.o -c {path}"
        commands.append({"directory": directory, "command": command, "file": path})
        print(name)
json.dump(commands, open(out + "/compile_commands.json", "w"), indent=1)
PYTHON
}

# What a batch's record depends on: clang-tidy, its configuration, the batch's compile
# command, and each unit with the project files it reads. Fails when a unit's dependencies
# are not known: ninja's record of them is current only when the object was compiled from
# the unit as it is now (the system's headers change with their packages, which a new
# build folder follows).
batch_state() {
  local name=$1 build=$2 batches=$3 unit object deps
  clang-tidy-14 --version
  cat .clang-tidy
  python3 -c '
import json, sys
for entry in json.load(open(sys.argv[1] + "/compile_commands.json")):
    if entry["file"].endswith("/" + sys.argv[2] + ".cpp"):
        print(entry["command"])' "$batches" "$name"
  while IFS=$'\t' read -r unit object; do
    deps=$(ninja -C "$build" -t deps "$object" 2>/dev/null || true)
    [[ $(head -1 <<< "$deps") == *"(VALID)" ]] || return 1
    echo "$unit"
    tail -n +2 <<< "$deps" | awk 'NF { print $1 }' | grep -v '^/usr/' |
      (cd "$build" && xargs -r sha256sum)
  done < "$batches/$name.units"
}

# One batch: skipped when its record says it passed as it is now; else clang-tidy, its
# findings kept in OUT for the summary.
tidy_batch() {
  local name=$1 build=$2 batches=$3 passed=$4 out=$5 state key=""
  if state=$(batch_state "$name" "$build" "$batches"); then
    key=$(sha256sum <<< "$state" | cut -c1-32)
    [ -e "$passed/$key" ] && return 0
  fi
  # A batch of one is checked as itself; in a larger one, including the units is what
  # the batch is for.
  local run=(-p "$batches" --checks=-bugprone-suspicious-include "$batches/$name.cpp")
  if [ "$(wc -l < "$batches/$name.units")" -eq 1 ]; then
    run=(-p "$build" "$(cut -f1 "$batches/$name.units")")
  fi
  # Findings in the project's own headers, not in those a build generates (uic's forms).
  if clang-tidy-14 --quiet --use-color=false --warnings-as-errors='*' \
      --header-filter="^$source_dir/src/" "${run[@]}" \
      > "$out/$name.log" 2>&1; then
    [ -z "$key" ] || touch "$passed/$key"
  else
    cut -f1 "$batches/$name.units" > "$out/$name.failed"
  fi
}

if [ "$run_tidy" -eq 1 ]; then
  [ -f "$build/compile_commands.json" ] ||
    { echo "FAIL: no $build/compile_commands.json (build first: cmake --preset default)"; exit 1; }
  start=$(date +%s)
  passed=$build/clang-tidy-passed
  batches=$build/clang-tidy-batches
  out=$(mktemp -d)
  trap 'rm -rf "$out"' EXIT
  rm -rf "$batches"
  mkdir -p "$passed" "$batches"
  parts="core sim cli"
  [ "${QEL_TIDY_GUI:-1}" = 1 ] && parts="$parts gui"
  mapfile -t names < <(make_batches "$build" "$batches" "$parts" "${QEL_TIDY_ONLY:-.}" \
    "${QEL_TIDY_BATCH:-12}")
  export -f batch_state tidy_batch
  export source_dir
  printf '%s\n' "${names[@]}" |
    xargs -r -P "${QEL_TIDY_JOBS:-$(nproc)}" -I{} bash -c \
      'tidy_batch "$1" "$2" "$3" "$4" "$5"' _ {} "$build" "$batches" "$passed" "$out"
  failed=$(cat "$out"/*.failed 2>/dev/null | sort || true)
  if [ -n "$failed" ]; then
    for log in "$out"/*.failed; do cat "${log%.failed}.log"; done
    echo "FAIL: clang-tidy findings in the batch of:"$'\n'"$failed"
    fail=1
  fi
  units=$(cat "$batches"/*.units 2> /dev/null | wc -l)
  echo "clang-tidy: $units translation units in ${#names[@]} batches, $(($(date +%s) - start)) s"
fi

[ $fail -eq 0 ] && echo "style: all checks passed"
exit $fail
