#pragma once
// Placeholder until the page is built; it only holds its place on the main window.

#include <QWidget>

namespace qel::gui {

class TInLineFrame : public QWidget {
  Q_OBJECT

 public:
  explicit TInLineFrame(QWidget* parent = nullptr) : QWidget(parent) {}
};

}  // namespace qel::gui
