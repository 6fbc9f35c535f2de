#include "gui/common/run_window.h"

#include <QCloseEvent>

namespace qel::gui {

void RunWindow::closeEvent(QCloseEvent* event) {
  hide();
  event->ignore();
}

}  // namespace qel::gui
