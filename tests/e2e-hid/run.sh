#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end suite of the HID link through the real kernel HID stack: qel11ctl --device auto
# (hidapi, hidraw) and the window program's objects against qel11-sim --uhid, inside a
# throw-away Linux guest under qemu. The guest runs Debian's kernel (fetched with
# apt-get download, unpacked with dpkg-deb, never installed) with a busybox initramfs
# built here; it sees the host's root read-only over 9p, so the project's binaries run
# unchanged, and writes its verdicts to a writable 9p share. guest-cases.sh holds the cases.
#
# Usage: tests/e2e-hid/run.sh [--build-dir DIR] [--only "CASE ..."] [--prepare-only]
#   --build-dir DIR   the CMake build folder with the binaries (default build/default);
#                     the kernel, the initramfs and the results are kept in DIR/e2e-hid
#   --only "CASE ..." run only these cases (names as guest-cases.sh lists them)
#   --prepare-only    fetch the kernel and build the initramfs, do not boot
# Environment: QEL_E2E_ACCEL=kvm boots with KVM (default tcg: software emulation, as a
#   stock kernel does not boot on these machines' /dev/kvm); QEL_E2E_TIMEOUT=SECONDS the
#   guest's hard time limit (default 240).
# Exit status: 0 every case passed or was skipped; 1 a case failed or the guest did not
# finish; 2 usage error or the binaries are missing; 77 the suite cannot run here (the
# reason is printed).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
build=$repo/build/default
prepare_only=0
only=
while [ $# -gt 0 ]; do
  case $1 in
    --build-dir)
      build=$(cd "$2" && pwd)
      shift 2
      ;;
    --prepare-only)
      prepare_only=1
      shift
      ;;
    --only)
      only=$2
      shift 2
      ;;
    *)
      sed -n '/^# Usage/,/^# Exit/p' "$0" | sed 's/^# \{0,1\}//' >&2
      exit 2
      ;;
  esac
done
work=$build/e2e-hid
cache=$work/cache
results=$work/results
limit=${QEL_E2E_TIMEOUT:-240}
accel=${QEL_E2E_ACCEL:-tcg}

skip() {
  echo "e2e-hid: SKIPPED: $*"
  exit 77
}
note() { echo "e2e-hid: $*"; }

# ---- prerequisites --------------------------------------------------------------------

[ "$(uname -s)/$(uname -m)" = Linux/x86_64 ] ||
  skip "the guest runs Debian's amd64 kernel; this is $(uname -s)/$(uname -m)"
command -v qemu-system-x86_64 >/dev/null ||
  skip "qemu-system-x86_64 is missing (Debian package qemu-system-x86; ./test.sh installs it as root)"
busybox=$(command -v busybox || true)
[ -n "$busybox" ] || skip "busybox is missing (Debian package busybox-static)"
if command -v readelf >/dev/null && readelf -l "$busybox" 2>/dev/null | grep -q INTERP; then
  skip "$busybox is linked dynamically; the initramfs needs busybox-static"
fi
command -v dpkg-deb >/dev/null || skip "dpkg-deb is missing (this suite fetches Debian's kernel)"

qel11ctl=$build/src/cli/qel11ctl
qel11sim=$build/src/sim/qel11-sim
foreign=$build/tests/e2e-hid/e2e_foreign_hid
gui_probe=$build/tests/e2e-hid/e2e_gui_probe
for binary in "$qel11ctl" "$qel11sim" "$foreign"; do
  if [ ! -x "$binary" ]; then
    echo "e2e-hid: $binary is missing: build the project first" >&2
    exit 2
  fi
done
case $build$here$only in *"'"*) skip "the build or source path or --only contains a quote" ;; esac

# ---- kernel -----------------------------------------------------------------------------

# The kernel package that Debian's linux-image-amd64 points to on this release.
kernel_package() {
  apt-cache depends linux-image-amd64 2>/dev/null |
    sed -n 's/^ *Depends: \(linux-image-[0-9][^ ]*-amd64\)$/\1/p' | head -n 1
}

# Modules loaded by hand, with what they need, in load order. A module that this kernel
# has built in is left out.
wanted_modules=(virtio_pci 9pnet_virtio 9p hid uhid hid-generic)
module_order() { # module_order ROOT VERSION
  local dir=$1/lib/modules/$2
  local -A seen=()
  local order=()
  add() {
    local name=$1 line deps dep
    [ -n "${seen[$name]:-}" ] && return 0
    seen[$name]=1
    line=$(grep -E "(^|/)$name\\.ko(\\.[a-z]+)?:" "$dir/modules.dep" | head -n 1 || true)
    if [ -z "$line" ]; then
      grep -qE "/$name\\.ko\$" "$dir/modules.builtin" && return 0
      echo "e2e-hid: module $name is neither in modules.dep nor built in" >&2
      return 1
    fi
    deps=${line#*:}
    for dep in $deps; do
      dep=${dep##*/}
      add "${dep%%.ko*}" || return 1
    done
    order+=("${line%%:*}")
  }
  local m
  for m in "${wanted_modules[@]}"; do add "$m" || return 1; done
  printf '%s\n' "${order[@]}"
}

# Unpacks the kernel and the few module folders the guest needs (the whole package holds
# some 4000 modules), computes their dependencies with depmod, and keeps the modules to
# load (uncompressed, for busybox's insmod) and the kernel image qemu boots fastest: the
# uncompressed ELF kernel with its PVH entry when it can be cut out of the bzImage (that
# saves its decompression, several seconds under emulation), else the bzImage itself.
unpack_kernel() { # unpack_kernel DEB DIR
  local deb=$1 dir=$2 modules version m
  mkdir -p "$dir/root" "$dir/modules"
  dpkg-deb --fsys-tarfile "$deb" | tar -x -C "$dir/root" --wildcards '*/boot/vmlinuz-*' \
    '*/modules/*/modules.builtin' '*/modules/*/modules.order' \
    '*/modules/*/kernel/drivers/hid/*' '*/modules/*/kernel/drivers/virtio/*' \
    '*/modules/*/kernel/net/9p/*' '*/modules/*/kernel/fs/*'
  for modules in "$dir"/root/lib/modules/* "$dir"/root/usr/lib/modules/* ''; do
    [ -d "$modules" ] && break
  done
  [ -n "$modules" ] || return 1
  version=${modules##*/}
  "$busybox" depmod -b "${modules%/lib/modules/*}" "$version"
  module_order "${modules%/lib/modules/*}" "$version" >"$dir/modules.order" || return 1
  while read -r m; do
    case $m in
      *.ko) cp "$modules/$m" "$dir/modules/" ;;
      *.ko.xz) xz -dc "$modules/$m" >"$dir/modules/$(basename "$m" .xz)" ;;
      *.ko.zst) zstd -qdc "$modules/$m" >"$dir/modules/$(basename "$m" .zst)" ;;
      *.ko.gz) gzip -dc "$modules/$m" >"$dir/modules/$(basename "$m" .gz)" ;;
    esac
  done <"$dir/modules.order"
  sed 's|.*/||; s|\.ko\..*$|.ko|' "$dir/modules.order" >"$dir/modules/load-order"
  cp "$dir"/root/boot/vmlinuz-* "$dir/vmlinuz"
  local offset
  offset=$(LC_ALL=C grep -obUaP '\xfd7zXZ\x00' "$dir/vmlinuz" | head -n 1 | cut -d: -f1 || true)
  if [ -n "$offset" ]; then
    tail -c +$((offset + 1)) "$dir/vmlinuz" | xz -dcq >"$dir/vmlinux" 2>/dev/null || true
    if [ "$(head -c 4 "$dir/vmlinux" | od -An -c | tr -d ' ')" != 177ELF ] ||
      { command -v readelf >/dev/null &&
        ! readelf -n "$dir/vmlinux" | grep -qE '0x00000012|PHYS32_ENTRY'; }; then
      rm -f "$dir/vmlinux"
    fi
  fi
  rm -rf "$dir/root"
}

mkdir -p "$cache"
package=$(kernel_package)
if [ -z "$package" ] && [ "$(id -u)" -eq 0 ]; then
  apt-get update -qq >/dev/null 2>&1 || true
  package=$(kernel_package)
fi
if [ -z "$package" ]; then
  # Without package lists a kernel fetched earlier still does.
  for ready in "$cache"/linux-image-*-amd64/ready; do
    [ -f "$ready" ] && package=$(basename "$(dirname "$ready")")
  done
  [ -n "$package" ] ||
    skip "apt knows no linux-image-amd64 (run apt-get update) and no kernel is cached in $cache"
fi
kernel_dir=$cache/$package
if [ ! -f "$kernel_dir/ready" ]; then
  note "fetching $package"
  rm -rf "$kernel_dir"
  download=$(mktemp -d "$cache/download.XXXXXX")
  if ! (cd "$download" && apt-get download "$package") >"$download/apt.log" 2>&1; then
    reason=$(grep -E '^(E|Err):' "$download/apt.log" | head -n 1)
    rm -rf "$download"
    skip "cannot download $package from the Debian mirror (no network?): $reason"
  fi
  mkdir -p "$download/kernel"
  if ! unpack_kernel "$download"/*.deb "$download/kernel"; then
    rm -rf "$download"
    echo "e2e-hid: cannot unpack $package" >&2
    exit 1
  fi
  mv "$download/kernel" "$kernel_dir"
  rm -rf "$download"
  touch "$kernel_dir/ready"
fi
kernel=$kernel_dir/vmlinux
[ -f "$kernel" ] || kernel=$kernel_dir/vmlinuz

# ---- initramfs --------------------------------------------------------------------------

initramfs=$work/initramfs-$package.cpio
if [ ! -f "$initramfs" ] || [ "$here/guest-init.sh" -nt "$initramfs" ] ||
  [ "$busybox" -nt "$initramfs" ] || [ "$kernel_dir/ready" -nt "$initramfs" ]; then
  staging=$(mktemp -d "$work/initramfs.XXXXXX")
  mkdir -p "$staging"/{bin,dev,proc,sys,lib/modules}
  cp "$busybox" "$staging/bin/busybox"
  cp "$here/guest-init.sh" "$staging/init"
  chmod 755 "$staging/init"
  cp "$kernel_dir"/modules/* "$staging/lib/modules/"
  (cd "$staging" && find . | LC_ALL=C sort | "$busybox" cpio -o -H newc 2>/dev/null) \
    >"$initramfs.tmp"
  mv "$initramfs.tmp" "$initramfs"
  rm -rf "$staging"
fi
[ "$prepare_only" -eq 1 ] && {
  note "prepared $package and $initramfs"
  exit 0
}

# ---- boot -------------------------------------------------------------------------------

rm -rf "$results"
mkdir -p "$results"
[ -x "$gui_probe" ] || gui_probe=
cat >"$results/guest.env" <<EOF
QEL_E2E_RESULTS='$results'
QEL_E2E_CASES='$here/guest-cases.sh'
QEL11CTL='$qel11ctl'
QEL11SIM='$qel11sim'
QEL_E2E_FOREIGN='$foreign'
QEL_E2E_GUI_PROBE='$gui_probe'
QEL_E2E_ONLY='$only'
EOF

case $accel in
  kvm) machine=(-accel kvm -cpu host) ;;
  *) machine=(-accel tcg) ;;
esac
note "booting $package ($accel) with ${kernel##*/}"
started=$SECONDS
status=0
timeout --kill-after=10 "$limit" qemu-system-x86_64 -machine q35 "${machine[@]}" -m 1G -smp 1 \
  -nodefaults -no-user-config -display none -no-reboot \
  -serial "file:$work/console.log" \
  -kernel "$kernel" -initrd "$initramfs" -append "console=ttyS0 quiet panic=-1 mitigations=off" \
  -virtfs local,path=/,mount_tag=hostroot,security_model=none,readonly=on,multidevs=remap \
  -virtfs "local,path=$results,mount_tag=results,security_model=none" \
  >"$work/qemu.log" 2>&1 || status=$?
elapsed=$((SECONDS - started))

# ---- verdicts ---------------------------------------------------------------------------

if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
  note "the guest did not finish within $limit s"
elif [ "$status" -ne 0 ]; then
  note "qemu failed ($status): $(tail -n 3 "$work/qemu.log")"
fi
if [ ! -f "$results/cases.list" ]; then
  note "FAIL: the guest ran no cases; its console ends with:"
  tail -n 20 "$work/console.log" | sed 's/^/  /'
  exit 1
fi
passed=0 failed=0 skipped=0
while read -r name; do
  file=$results/cases/$name
  if [ ! -f "$file" ]; then
    echo "FAIL $name: no verdict (the guest stopped before it; see $results/guest.log)"
    failed=$((failed + 1))
    continue
  fi
  verdict=$(head -n 1 "$file")
  case $verdict in
    PASS*)
      echo "PASS $name"
      passed=$((passed + 1))
      ;;
    SKIP*)
      echo "SKIP $name${verdict#SKIP}"
      skipped=$((skipped + 1))
      ;;
    *)
      echo "FAIL $name${verdict#FAIL}"
      failed=$((failed + 1))
      ;;
  esac
done <"$results/cases.list"
note "$passed passed, $failed failed, $skipped skipped in $elapsed s (guest boot and cases; details in $results)"
if [ "$failed" -gt 0 ]; then
  for file in "$results"/cases/*; do
    head -n 1 "$file" | grep -q '^FAIL' || continue
    echo "---- ${file##*/}"
    head -n 80 "$file"
  done
  exit 1
fi
exit 0
