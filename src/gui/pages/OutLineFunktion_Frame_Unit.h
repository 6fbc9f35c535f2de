// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The digital output page: function, logic and the two limits of output `Tag` (1..4).
// The logic box and the limit fields are enabled by the function the user picks
// (`Funk_ComboBoxChange`); reads and loads leave the enabled states as they are.

#include <QWidget>
#include <memory>

#include "core/pages/out_line_model.h"
#include "gui/pages/bound_frame.h"

namespace Ui {
class TOutLineFrame;
}

namespace qel::gui {

class TOutLineFrame : public QWidget, public BoundFrame<OutLineModel> {
  Q_OBJECT

 public:
  // The limit fields take at most this many typed characters.
  static constexpr int kLimitMaxLength = 10;

  explicit TOutLineFrame(QWidget* parent = nullptr);
  ~TOutLineFrame() override;

  Ui::TOutLineFrame& Form() { return *ui_; }
  int Tag() const { return model_->Tag; }
  void SetCaption(const QString& caption);

  // The user picked a function: enables logic and limits for it.
  void Funk_ComboBoxChange();

 private:
  std::unique_ptr<Ui::TOutLineFrame> ui_;
};

}  // namespace qel::gui
