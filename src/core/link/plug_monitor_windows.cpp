// SPDX-License-Identifier: GPL-3.0-or-later
// Windows: no notice source of our own. The slow rescan timer finds plugged and unplugged
// devices; a scan lists the HID interfaces through SetupAPI in a few milliseconds.
#include "core/link/plug_monitor.h"

namespace qel {

PlugMonitor::PlugMonitor() = default;

PlugMonitor::~PlugMonitor() = default;

bool PlugMonitor::TakeChanges() {
  return false;
}

}  // namespace qel
