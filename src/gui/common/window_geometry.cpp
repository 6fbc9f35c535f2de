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
  if (QLayout* layout = window.layout()) layout->activate();
  window.setFixedSize(window.sizeHint().expandedTo(window.minimumSizeHint()));
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
