// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The EIA-232 page: baud rate, stop bits, parity and output mode of the instrument's
// serial port.

#include <QWidget>
#include <memory>

#include "core/pages/eia232_model.h"
#include "gui/pages/bound_frame.h"

namespace Ui {
class TEIA232Frame;
}

namespace qel::gui {

class TEIA232Frame : public QWidget, public BoundFrame<EIA232Model> {
  Q_OBJECT

 public:
  explicit TEIA232Frame(QWidget* parent = nullptr);
  ~TEIA232Frame() override;

  Ui::TEIA232Frame& Form() { return *ui_; }
  void SetCaption(const QString& caption);

 private:
  std::unique_ptr<Ui::TEIA232Frame> ui_;
};

}  // namespace qel::gui
