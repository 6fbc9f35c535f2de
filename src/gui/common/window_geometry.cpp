// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/window_geometry.h"

#include <QApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>

namespace qel::gui {

namespace {

// move() places the frame (title bar included); before the first showing the frame is not
// known yet and is the window itself.
void CentreOn(QWidget& window, const QRect& area) {
  const QSize frame = window.frameGeometry().size();
  QPoint topLeft = area.center() - QPoint(frame.width() / 2, frame.height() / 2);
  // Kept on the screen, title bar first, when the area reaches beyond it.
  if (const QScreen* screen = window.screen()) {
    const QRect free = screen->availableGeometry();
    topLeft.setX(qMax(qMin(topLeft.x(), free.right() + 1 - frame.width()), free.left()));
    topLeft.setY(qMax(qMin(topLeft.y(), free.bottom() + 1 - frame.height()), free.top()));
  }
  window.move(topLeft);
}

}  // namespace

void FixSizeToContents(QWidget& window) {
  QLayout* layout = window.layout();
  if (layout != nullptr) layout->activate();
  QSize size = window.sizeHint().expandedTo(window.minimumSizeHint());
  // A window designed at a size (the link window, the console: their logs want room for
  // whole lines) keeps at least that size, unless its layout fixes the size itself.
  if (window.testAttribute(Qt::WA_Resized) &&
      (layout == nullptr || layout->sizeConstraint() != QLayout::SetFixedSize)) {
    size = size.expandedTo(window.size());
  }
  window.setFixedSize(size);
}

void CentreOnScreen(QWidget& window) {
  if (const QScreen* screen = window.screen()) CentreOn(window, screen->availableGeometry());
}

void CentreOnMainWindow(QWidget& window) {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top != &window && top->objectName() == QLatin1String("MainForm") && top->isVisible()) {
      CentreOn(window, top->frameGeometry());
      return;
    }
  }
  CentreOnScreen(window);
}

}  // namespace qel::gui
