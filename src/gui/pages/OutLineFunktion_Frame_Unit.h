#pragma once
// Placeholder until the page is built; it only holds its place on the main window.

#include <QWidget>

namespace qel::gui {

class TOutLineFrame : public QWidget {
  Q_OBJECT

 public:
  explicit TOutLineFrame(QWidget* parent = nullptr) : QWidget(parent) {}
};

}  // namespace qel::gui
