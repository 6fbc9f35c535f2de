// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/plug_monitor.h"

#include <fcntl.h>
#include <gtest/gtest.h>

namespace qel {
namespace {

// Where the tests run there is usually no udevd and sometimes no netlink permission;
// the monitor must then neither block nor fail, only stay silent.
TEST(PlugMonitor, SilentWithoutPlugEventsAndNeverBlocks) {
  PlugMonitor monitor;
  if (monitor.Fd() >= 0) {
    const int flags = ::fcntl(monitor.Fd(), F_GETFL);
    ASSERT_GE(flags, 0);
    EXPECT_NE(flags & O_NONBLOCK, 0) << "the event loop's drain must not wait";
  }
  EXPECT_FALSE(monitor.TakeChanges());
  EXPECT_FALSE(monitor.TakeChanges());
}

TEST(PlugMonitor, SeveralMonitorsEachHaveTheirOwnDescriptor) {
  PlugMonitor a;
  PlugMonitor b;
  if (a.Fd() >= 0 && b.Fd() >= 0) {
    EXPECT_NE(a.Fd(), b.Fd());
  }
  EXPECT_FALSE(a.TakeChanges());
  EXPECT_FALSE(b.TakeChanges());
}

}  // namespace
}  // namespace qel
