// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/service/service_window.h"

#include <QCoreApplication>
#include <QPalette>

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

}  // namespace qel::gui
