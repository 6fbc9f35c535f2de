#pragma once
// Placeholder until the page is built; it only holds its place on the main window.

#include <QWidget>

namespace qel::gui {

class TQEL_Display_Frame : public QWidget {
  Q_OBJECT

 public:
  explicit TQEL_Display_Frame(QWidget* parent = nullptr) : QWidget(parent) {}
};

}  // namespace qel::gui
