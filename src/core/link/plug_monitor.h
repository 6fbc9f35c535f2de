// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plug notices for HID devices on Linux, from udev: every hidraw node that appears,
// disappears or changes is announced on udev's netlink group "udev".
//
// Use from an event loop: watch Fd() for reading (the GUI with a QSocketNotifier); when it
// is readable, call TakeChanges() and, if it answers true, run a device scan. The monitor
// only says *that* something changed; the scan finds out what.
//
// Without a running udevd (containers, CI, some minimal systems) nothing is announced,
// and without netlink permission there is no monitor at all (Fd() is -1). So the event
// loop also runs a slow rescan timer every kRescanIntervalMs as a fallback; a scan that
// finds the same devices changes nothing, so the extra scans cost only the listing.
// On Windows there is no monitor (Fd() is -1): the rescan timer alone finds changes.

struct udev;
struct udev_monitor;

namespace qel {

// Period of the fallback rescan timer.
inline constexpr int kRescanIntervalMs = 2000;

class PlugMonitor {
 public:
  PlugMonitor();
  ~PlugMonitor();
  PlugMonitor(const PlugMonitor&) = delete;
  PlugMonitor& operator=(const PlugMonitor&) = delete;

  // The descriptor to watch for reading; -1 when no monitor could be set up.
  int Fd() const { return fd_; }

  // Drains the notices that are waiting, without blocking. True when a hidraw device was
  // added, removed or changed, or when notices were lost because too many arrived at
  // once (the socket overflowed), so a scan is due either way.
  bool TakeChanges();

 private:
  udev* udev_ = nullptr;
  udev_monitor* monitor_ = nullptr;
  int fd_ = -1;
};

}  // namespace qel
