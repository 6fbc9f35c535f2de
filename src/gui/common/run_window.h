#pragma once
// A window that lives from the start of the run to its end: closing it only hides it.
// Every window but the main window is one.

#include <QWidget>

class QCloseEvent;

namespace qel::gui {

class RunWindow : public QWidget {
 public:
  explicit RunWindow(QWidget* parent = nullptr, Qt::WindowFlags flags = {})
      : QWidget(parent, flags) {}

 protected:
  void closeEvent(QCloseEvent* event) override;
};

}  // namespace qel::gui
