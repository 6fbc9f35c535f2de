// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The EIA-485 page: the definition of its controls only. It is placed on no window, sends
// nothing and is not part of the parameter file; its buttons have no action.

#include <QWidget>
#include <memory>

namespace Ui {
class TEIA485Frame;
}

namespace qel::gui {

class TEIA485Frame : public QWidget {
  Q_OBJECT

 public:
  explicit TEIA485Frame(QWidget* parent = nullptr);
  ~TEIA485Frame() override;

  Ui::TEIA485Frame& Form() { return *ui_; }

 private:
  std::unique_ptr<Ui::TEIA485Frame> ui_;
};

}  // namespace qel::gui
