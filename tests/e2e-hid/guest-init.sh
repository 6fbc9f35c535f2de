#!/bin/busybox sh
# SPDX-License-Identifier: GPL-3.0-or-later
# /init of the end-to-end guest (busybox, in the initramfs that run.sh builds).
# No udevd runs here, so nothing loads modules: the HID modules (and hid-generic, without
# which no hidraw node appears), virtio and 9p are loaded by hand in dependency order. The
# host's root comes in read-only over 9p; the cases run in it (chroot), so the project's
# binaries find their shared libraries under /usr as on the host. The results folder is
# a second, writable 9p share, mounted at the host's path of that folder.
/bin/busybox --install -s /bin
export PATH=/bin

fail() {
  echo "e2e-init: $*"
  poweroff -f
}

mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
while read -r module; do
  insmod "/lib/modules/$module" || echo "e2e-init: insmod $module failed"
done </lib/modules/load-order

mkdir -p /results /newroot
mount -t 9p -o trans=virtio,version=9p2000.L,msize=262144 results /results ||
  fail "cannot mount the results share"
mount -t 9p -o trans=virtio,version=9p2000.L,msize=262144,cache=loose,ro hostroot /newroot ||
  fail "cannot mount the host's root"
[ -f /results/guest.env ] || fail "no guest.env in the results share"
# shellcheck disable=SC1091 # written by run.sh for this boot
. /results/guest.env

mount -t proc proc /newroot/proc
mount -t sysfs sysfs /newroot/sys
mount -t devtmpfs devtmpfs /newroot/dev
ln -s /proc/self/fd /newroot/dev/fd
ln -s fd/0 /newroot/dev/stdin
ln -s fd/1 /newroot/dev/stdout
ln -s fd/2 /newroot/dev/stderr
mkdir -p /newroot/dev/shm
mount -t tmpfs tmpfs /newroot/dev/shm
# The guest gets a writable /tmp and /run of its own. A build that lives below one of them
# on the host (a clone in /tmp, say) would vanish under the fresh tmpfs, so the host's
# folders that hold the programs, the cases and the results are bound back in.
fresh_tmpfs_keeping_project() {
  dir=$1
  mkdir -p "/host$dir"
  mount --bind "/newroot$dir" "/host$dir" || fail "cannot keep the host's $dir"
  mount -t tmpfs tmpfs "/newroot$dir"
  for path in "$QEL_E2E_CASES" "$QEL11CTL" "$QEL11SIM" "$QEL_E2E_FOREIGN" "$QEL_E2E_GUI_PROBE" \
    "$QEL_E2E_RESULTS"; do
    case $path in
    "$dir"/?*)
      top=${path#"$dir"/}
      top=${top%%/*}
      [ -d "/newroot$dir/$top" ] && continue
      mkdir -p "/newroot$dir/$top"
      mount --bind "/host$dir/$top" "/newroot$dir/$top" || fail "cannot keep $dir/$top"
      ;;
    esac
  done
}
fresh_tmpfs_keeping_project /tmp
fresh_tmpfs_keeping_project /run
mount --bind /results "/newroot$QEL_E2E_RESULTS" || fail "cannot mount $QEL_E2E_RESULTS"
ifconfig lo 127.0.0.1 up

echo "e2e-init: cases start at $(cut -d' ' -f1 /proc/uptime) s"
chroot /newroot /usr/bin/env -i PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin HOME=/tmp \
  LANG=C.UTF-8 QEL_E2E_RESULTS="$QEL_E2E_RESULTS" QEL11CTL="$QEL11CTL" QEL11SIM="$QEL11SIM" \
  QEL_E2E_FOREIGN="$QEL_E2E_FOREIGN" QEL_E2E_GUI_PROBE="$QEL_E2E_GUI_PROBE" QEL_E2E_ONLY="$QEL_E2E_ONLY" \
  /bin/bash "$QEL_E2E_CASES" >/results/guest.log 2>&1
echo $? >/results/guest.status
echo "e2e-init: cases end at $(cut -d' ' -f1 /proc/uptime) s"

umount "/newroot$QEL_E2E_RESULTS"
sync
umount /results
poweroff -f
