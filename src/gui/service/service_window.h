// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the service windows share: the coloured status label, the repaint before an
// operation's first line, and the fixed-size dialog frame.

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "core/service/service_status.h"
#include "gui/common/run_window.h"

namespace qel::gui {

// Text and background colour (yellow while working, green success, red failure).
void ShowServiceStatus(QLabel& label, const ServiceStatus& status);

// Paints `window` now and lets pending events run once (timers of other windows among
// them), so the "working" state shows before the window blocks in its exchanges. User
// input waits until the operation is over: a second click cannot start another operation
// in the middle of this one.
void RepaintBeforeExchanges(QWidget& window);

// Runs `operation` with `button` disabled, so that the button cannot be pressed again
// before the operation is over.
template <class Operation>
void WithButtonDisabled(QPushButton& button, Operation&& operation) {
  button.setEnabled(false);
  operation();
  button.setEnabled(true);
}

// The probe service and internal settings windows: fixed-size dialogs (their first showing
// centres them on the main window, as every RunWindow).
class ServiceWindow : public RunWindow {
 public:
  explicit ServiceWindow(QWidget* parent)
      : RunWindow(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {}
};

}  // namespace qel::gui
