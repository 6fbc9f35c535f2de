// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/plug_monitor.h"

#include <fcntl.h>
#include <libudev.h>
#include <poll.h>

#include <cerrno>
#include <cstring>

namespace qel {

namespace {

// One call handles at most this many notices, so a flood cannot hold the event loop;
// the rest keep the descriptor readable and come with the next call.
constexpr int kMaxNoticesPerTake = 1024;

bool IsPlugAction(const char* action) {
  return action != nullptr &&
         (std::strcmp(action, "add") == 0 || std::strcmp(action, "remove") == 0 ||
          std::strcmp(action, "change") == 0);
}

bool Readable(int fd) {
  pollfd p{};
  p.fd = fd;
  p.events = POLLIN;
  return ::poll(&p, 1, 0) > 0 && (p.revents & POLLIN) != 0;
}

}  // namespace

PlugMonitor::PlugMonitor() {
  udev_ = udev_new();
  if (udev_ == nullptr) return;
  monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
  if (monitor_ == nullptr ||
      udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
      udev_monitor_enable_receiving(monitor_) < 0) {
    if (monitor_ != nullptr) udev_monitor_unref(monitor_);
    monitor_ = nullptr;
    return;
  }
  const int fd = udev_monitor_get_fd(monitor_);
  if (fd < 0) return;
  // Receiving must never wait, whatever libudev's own default for the socket is.
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) < 0) return;
  fd_ = fd;
}

PlugMonitor::~PlugMonitor() {
  if (monitor_ != nullptr) udev_monitor_unref(monitor_);
  if (udev_ != nullptr) udev_unref(udev_);
}

bool PlugMonitor::TakeChanges() {
  if (fd_ < 0) return false;
  bool changed = false;
  for (int i = 0; i < kMaxNoticesPerTake && Readable(fd_); ++i) {
    errno = 0;
    udev_device* device = udev_monitor_receive_device(monitor_);
    if (device == nullptr) {
      // Notices dropped by the kernel: something may have changed unseen.
      if (errno == ENOBUFS) changed = true;
      continue;  // otherwise filtered out or not a udev message
    }
    const char* subsystem = udev_device_get_subsystem(device);
    if (subsystem != nullptr && std::strcmp(subsystem, "hidraw") == 0 &&
        IsPlugAction(udev_device_get_action(device))) {
      changed = true;
    }
    udev_device_unref(device);
  }
  return changed;
}

}  // namespace qel
