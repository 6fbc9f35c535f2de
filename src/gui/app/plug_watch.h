// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Module USB_HID_Connect_Unit (the device scans of HidCtl).
// Drives the link's device scans from the event loop: the first scan as soon as the loop
// starts, every udev plug notice, and a slow rescan timer (without a running udevd the
// monitor hears nothing).

#include <QObject>
#include <QTimer>

#include "core/link/hid_link.h"
#include "core/link/plug_monitor.h"

class QSocketNotifier;

namespace qel::gui {

class PlugWatch : public QObject {
 public:
  // `link` must outlive the watch.
  explicit PlugWatch(HidLink& link);

  // One scan now (plug notice, rescan timer, first scan).
  void ScanNow();

 private:
  HidLink& link_;
  PlugMonitor monitor_;
  QSocketNotifier* notifier_ = nullptr;
  QTimer rescanTimer_;
};

}  // namespace qel::gui
