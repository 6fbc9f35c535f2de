// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window that lives from the start of the run to its end: closing it only hides it.
// Every window but the main window is one. Its first showing fixes its size to its
// contents and centres it on the main window.

#include <QWidget>

class QCloseEvent;
class QShowEvent;

namespace qel::gui {

class RunWindow : public QWidget {
 public:
  explicit RunWindow(QWidget* parent = nullptr, Qt::WindowFlags flags = {})
      : QWidget(parent, flags) {}

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  bool placed_ = false;
};

}  // namespace qel::gui
