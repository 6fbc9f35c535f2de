#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The style gate, run by ./test.sh before the tests and by hand before a commit:
#  - clang-format (Debian's clang-format 14, the repository's .clang-format) over every C++
#    file of the tree: a file it would change fails the gate;
#  - clang-tidy (Debian's clang-tidy 14, the repository's .clang-tidy) over the project's own
#    translation units of a finished build (its compile_commands.json): the core, the
#    virtual instrument and qel11ctl (QEL_TIDY_GUI=1: the window program too); any finding
#    fails the gate. clang-tidy runs on all cores; a translation unit whose source,
#    project headers, compile command and .clang-tidy are unchanged since it last passed is
#    not checked again (the record is kept in BUILD_DIR/clang-tidy-passed);
#    QEL_TIDY_ONLY=REGEX checks only the units whose path matches;
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

# One translation unit: skipped when its record says it passed as it is now; else
# clang-tidy, its findings kept in OUT for the summary.
tidy_one() {
  local file=$1 build=$2 passed=$3 out=$4
  local command object deps key=""
  command=$(python3 -c '
import json, sys
for entry in json.load(open(sys.argv[1] + "/compile_commands.json")):
    if entry["file"] == sys.argv[2]:
        print(entry["command"])
        break' "$build" "$file")
  object=$(sed -n 's/.* -o \([^ ]*\) .*/\1/p' <<< "$command")
  # The object's dependencies as ninja recorded them when it was last compiled. Only when
  # that record is current is the unit's state known: the project's own files among them
  # (the system's headers change with their packages, which a new build folder follows).
  deps=$(ninja -C "$build" -t deps "$object" 2>/dev/null || true)
  if [[ $(head -1 <<< "$deps") == *"(VALID)" ]]; then
    key=$(
      {
        clang-tidy-14 --version
        cat .clang-tidy
        echo "$command"
        tail -n +2 <<< "$deps" | awk 'NF { print $1 }' | grep -v '^/usr/' |
          (cd "$build" && xargs -r sha256sum)
      } | sha256sum | cut -c1-32
    )
    [ -e "$passed/$key" ] && return 0
  fi
  local name
  name=$(sed 's|/|_|g' <<< "${file#"$source_dir"/}")
  if clang-tidy-14 -p "$build" --quiet --use-color=false --warnings-as-errors='*' "$file" \
      > "$out/$name.log" 2>&1; then
    [ -z "$key" ] || touch "$passed/$key"
  else
    echo "$file" > "$out/$name.failed"
  fi
}

if [ "$run_tidy" -eq 1 ]; then
  [ -f "$build/compile_commands.json" ] ||
    { echo "FAIL: no $build/compile_commands.json (build first: cmake --preset default)"; exit 1; }
  start=$(date +%s)
  passed=$build/clang-tidy-passed
  out=$(mktemp -d)
  trap 'rm -rf "$out"' EXIT
  mkdir -p "$passed"
  parts="core sim cli"
  [ "${QEL_TIDY_GUI:-0}" = 1 ] && parts="$parts gui"
  mapfile -t units < <(python3 -c '
import json, re, sys
only = re.compile(sys.argv[4])
for entry in json.load(open(sys.argv[1] + "/compile_commands.json")):
    if any(entry["file"].startswith(sys.argv[2] + "/src/" + part + "/")
           for part in sys.argv[3].split()) and only.search(entry["file"]):
        print(entry["file"])' "$build" "$source_dir" "$parts" "${QEL_TIDY_ONLY:-.}" | sort -u)
  export -f tidy_one
  export source_dir
  printf '%s\n' "${units[@]}" |
    xargs -r -P "${QEL_TIDY_JOBS:-$(nproc)}" -I{} bash -c \
      'tidy_one "$1" "$2" "$3" "$4"' _ {} "$build" "$passed" "$out"
  failed=$(cat "$out"/*.failed 2>/dev/null | sort || true)
  if [ -n "$failed" ]; then
    for log in "$out"/*.failed; do cat "${log%.failed}.log"; done
    echo "FAIL: clang-tidy findings in:"$'\n'"$failed"
    fail=1
  fi
  echo "clang-tidy: ${#units[@]} translation units, $(($(date +%s) - start)) s"
fi

[ $fail -eq 0 ] && echo "style: all checks passed"
exit $fail
