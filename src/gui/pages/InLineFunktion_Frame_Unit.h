// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The digital input page: function and logic of input `Tag` (1..3).

#include <QWidget>
#include <memory>

#include "core/pages/in_line_model.h"
#include "gui/pages/bound_frame.h"

namespace Ui {
class TInLineFrame;
}

namespace qel::gui {

class TInLineFrame : public QWidget, public BoundFrame<InLineModel> {
  Q_OBJECT

 public:
  explicit TInLineFrame(QWidget* parent = nullptr);
  ~TInLineFrame() override;

  Ui::TInLineFrame& Form() { return *ui_; }
  int Tag() const { return model_->Tag; }
  void SetCaption(const QString& caption);

 private:
  std::unique_ptr<Ui::TInLineFrame> ui_;
};

}  // namespace qel::gui
