#pragma once
// Placeholder until the page is built; it only holds its place on the main window.

#include <QWidget>

namespace qel::gui {

class TSCPI_Fehler_Frame : public QWidget {
  Q_OBJECT

 public:
  explicit TSCPI_Fehler_Frame(QWidget* parent = nullptr) : QWidget(parent) {}
};

}  // namespace qel::gui
