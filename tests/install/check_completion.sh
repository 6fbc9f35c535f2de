#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the bash completions of qel11ctl and qel11-sim: bash-completion's loader finds
# them where Debian's bash-completion looks ($XDG_DATA_DIRS/bash-completion/completions,
# /usr/share for a package), and in a folder of sample files they offer what the programs
# take: commands and options from --help, --device values, parameter and JPEG files.
# Usage: check_completion.sh SHARE BIN_DIR...
#   SHARE  a data folder holding bash-completion/completions (such as ROOT/usr/share),
#          or the folder that holds the completion files themselves (the source tree)
set -uo pipefail
share=$1
shift
fail=0
bad() { echo "FAIL: $*"; fail=1; }
loader=/usr/share/bash-completion/bash_completion
[ -f "$loader" ] || { echo "FAIL: $loader is missing (scripts/deps.sh installs bash-completion)"; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
if [ ! -d "$share/bash-completion/completions" ]; then
  mkdir -p "$scratch/share/bash-completion"
  ln -s "$(cd "$share" && pwd)" "$scratch/share/bash-completion/completions"
  share=$scratch/share
fi
mkdir -p "$scratch/files/folder"
touch "$scratch/files/bench setup.QEL" "$scratch/files/line.qel" "$scratch/files/notes.txt" \
  "$scratch/files/shot.jpg"
bins=
for dir in "$@"; do bins+=$(cd "$dir" && pwd):; done

# What the completion offers for the words given (the last one being completed), one per
# line, sorted.
offers() {
  (cd "$scratch/files" && env -u DISPLAY XDG_DATA_DIRS="$share" PATH="$bins$PATH" \
    bash --norc --noprofile -c '
      source "$0" >/dev/null 2>&1
      __load_completion "$1" || exit 3
      COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
      fn=$(complete -p "$1" | sed -n "s/.* -F \([^ ]*\) .*/\1/p")
      "$fn" "$1" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
      printf "%s\n" "${COMPREPLY[@]}" | sort' "$loader" "$@")
}
expect() {
  local want=$1
  shift
  local got
  got=$(offers "$@")
  [[ $got == "$want" ]] || bad "completing '$*': got [${got//$'\n'/|}], want [${want//$'\n'/|}]"
}
contains() {
  local want=$1
  shift
  grep -qxF -- "$want" <<< "$(offers "$@")" || bad "completing '$*' does not offer $want"
}

for program in qel11ctl qel11-sim; do
  found=$(XDG_DATA_DIRS="$share" bash --norc --noprofile -c \
    'source "$0" >/dev/null 2>&1; __load_completion "$1" && complete -p "$1"' "$loader" "$program")
  [[ $found == "complete -F "*" $program" ]] || bad "the loader finds no completion for $program: '$found'"
done

for command in list scpi read write diff store display info errors hardcopy; do
  contains "$command" qel11ctl ''
done
expect $'diff\ndisplay' qel11ctl di
contains all qel11ctl --device ''
contains sim qel11ctl --timeout 200 --device ''
expect --json qel11ctl --device sim --js
expect --verify qel11ctl write --ver
expect $'bench setup.QEL\nfolder\nline.qel' qel11ctl --device sim diff ''
expect $'bench setup.QEL\nfolder\nline.qel' qel11ctl write ''
expect $'folder\nshot.jpg' qel11ctl hardcopy -o ''
expect --replay qel11-sim --repla
expect $'003F\nFE78' qel11-sim --product ''

[ $fail -eq 0 ] && echo "bash completion of qel11ctl and qel11-sim: ok"
exit $fail
