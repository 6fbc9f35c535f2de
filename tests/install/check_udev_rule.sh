#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the instrument's udev rule: one line per product ID (fe78 and 003f, lowercase hex
# as sysfs shows them), each matching hidraw nodes of vendor 04d8 and tagging them
# "uaccess" — never a MODE, GROUP or OWNER that would open the node to everyone — in a file
# that sorts before 73-seat-late.rules, where the tag becomes an ACL. `udevadm verify`
# checks the syntax too where udev has it (not in systemd 252).
# Usage: check_udev_rule.sh RULES_FILE
set -uo pipefail
rules=$1
fail=0
bad() { echo "FAIL: $*"; fail=1; }

name=$(basename "$rules")
[[ $name =~ ^[0-9]{2}-[a-z0-9-]+\.rules$ ]] || bad "file name $name"
[[ $(printf '%s\n' "$name" 73-seat-late.rules | LC_ALL=C sort | head -1) == "$name" &&
   $name != 73-seat-late.rules ]] || bad "$name does not sort before 73-seat-late.rules"

if command -v udevadm >/dev/null && udevadm verify --help >/dev/null 2>&1; then
  udevadm verify "$rules" || bad "udevadm verify"
fi

products=()
lineno=0
while IFS= read -r line || [ -n "$line" ]; do
  lineno=$((lineno + 1))
  [[ $line =~ ^[[:space:]]*(#|$) ]] && continue
  [[ $line == *\\ ]] && bad "line $lineno: continuation lines are not expected"
  declare -A seen=()
  IFS=',' read -ra fields <<< "$line"
  for field in "${fields[@]}"; do
    field=${field#"${field%%[![:space:]]*}"}
    field=${field%"${field##*[![:space:]]}"}
    if [[ $field =~ ^([A-Za-z]+(\{[A-Za-z_]+\})?)(==|!=|\+=|-=|:=|=)\"([^\"]*)\"$ ]]; then
      key=${BASH_REMATCH[1]} op=${BASH_REMATCH[3]} value=${BASH_REMATCH[4]}
    else
      bad "line $lineno: cannot read field '$field'"
      continue
    fi
    [[ -n ${seen[$key]:-} ]] && bad "line $lineno: $key twice"
    seen[$key]="$op$value"
    case "$key" in
      SUBSYSTEM) [[ $op$value == '==hidraw' ]] || bad "line $lineno: SUBSYSTEM$op\"$value\"" ;;
      KERNEL) [[ $op$value == '==hidraw*' ]] || bad "line $lineno: KERNEL$op\"$value\"" ;;
      'ATTRS{idVendor}') [[ $op$value == '==04d8' ]] || bad "line $lineno: idVendor $op\"$value\"" ;;
      'ATTRS{idProduct}')
        [[ $op == '==' && $value =~ ^[0-9a-f]{4}$ ]] || bad "line $lineno: idProduct $op\"$value\""
        products+=("$value") ;;
      TAG) [[ $op$value == '+=uaccess' ]] || bad "line $lineno: TAG$op\"$value\"" ;;
      *) bad "line $lineno: unexpected $key$op\"$value\"" ;;
    esac
  done
  for key in SUBSYSTEM KERNEL 'ATTRS{idVendor}' 'ATTRS{idProduct}' TAG; do
    [[ -n ${seen[$key]:-} ]] || bad "line $lineno: no $key"
  done
  unset seen
done < "$rules"

got=$(printf '%s\n' "${products[@]}" | sort | tr '\n' ' ')
[[ $got == "003f fe78 " ]] || bad "product IDs: $got(want 003f and fe78, once each)"

[ $fail -eq 0 ] && echo "udev rule $name: ok"
exit $fail
