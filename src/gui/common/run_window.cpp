// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/run_window.h"

#include <QCloseEvent>
#include <QShowEvent>

#include "gui/common/accessible_texts.h"
#include "gui/common/window_geometry.h"

namespace qel::gui {

void RunWindow::closeEvent(QCloseEvent* event) {
  hide();
  event->ignore();
}

// Later showings keep the place the user moved the window to. A spontaneous show (the
// window system restoring a minimised window) is no showing.
void RunWindow::showEvent(QShowEvent* event) {
  if (!placed_ && !event->spontaneous()) {
    FixSizeToContents(*this);
    CentreOnMainWindow(*this);
    DescribeButtonsWithEqualCaptions(*this);
    placed_ = true;
  }
  QWidget::showEvent(event);
}

}  // namespace qel::gui
