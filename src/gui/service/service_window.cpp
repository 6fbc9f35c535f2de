#include "gui/service/service_window.h"

#include <QApplication>
#include <QPalette>
#include <QShowEvent>

#include "gui/common/text_codec.h"

namespace qel::gui {

void ShowServiceStatus(QLabel& label, const ServiceStatus& status) {
  const Rgb colour = ServiceStatusColour(status.outcome);
  QPalette palette = label.palette();
  palette.setColor(QPalette::Window, QColor(colour.r, colour.g, colour.b));
  palette.setColor(QPalette::WindowText, Qt::black);
  label.setAutoFillBackground(true);
  label.setPalette(palette);
  label.setText(FromWin1252(status.text));
}

void RepaintBeforeExchanges(QWidget& window) {
  window.repaint();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CentreOnMainWindow(QWidget& window) {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top != &window && top->objectName() == QLatin1String("MainForm") && top->isVisible()) {
      const QRect frame = top->frameGeometry();
      window.move(frame.center() - QPoint(window.width() / 2, window.height() / 2));
      return;
    }
  }
}

// A spontaneous show (the window system restoring a minimised window) is no showing.
void ServiceWindow::showEvent(QShowEvent* event) {
  if (!placed_ && !event->spontaneous()) {
    CentreOnMainWindow(*this);
    placed_ = true;
  }
  QWidget::showEvent(event);
}

}  // namespace qel::gui
