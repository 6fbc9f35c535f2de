// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/plug_watch.h"

#include <QSocketNotifier>

namespace qel::gui {

PlugWatch::PlugWatch(HidLink& link) : link_(link) {
  if (monitor_.Fd() >= 0) {
    notifier_ = new QSocketNotifier(monitor_.Fd(), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
      if (monitor_.TakeChanges()) ScanNow();
    });
  }
  rescanTimer_.setInterval(kRescanIntervalMs);
  connect(&rescanTimer_, &QTimer::timeout, this, &PlugWatch::ScanNow);
  rescanTimer_.start();
  QTimer::singleShot(0, this, &PlugWatch::ScanNow);
}

void PlugWatch::ScanNow() {
  link_.ScanNow();
}

}  // namespace qel::gui
