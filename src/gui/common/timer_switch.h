// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A timer that runs exactly while its check box is checked ("Refresh", "Dauer",
// "DauerRead").

#include <QAbstractButton>
#include <QTimer>

namespace qel::gui {

inline void RunWhileChecked(QTimer& timer, const QAbstractButton& box) {
  if (box.isChecked()) {
    timer.start();
  } else {
    timer.stop();
  }
}

}  // namespace qel::gui
