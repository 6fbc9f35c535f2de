// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The key function page: the function of the upper (Tag 0, "TOP") or lower (Tag 1, "BOT")
// front key.

#include <QWidget>
#include <memory>

#include "core/pages/tasten_model.h"
#include "gui/pages/bound_frame.h"

namespace Ui {
class TTastenFrame;
}

namespace qel::gui {

class TTastenFrame : public QWidget, public BoundFrame<TastenModel> {
  Q_OBJECT

 public:
  explicit TTastenFrame(QWidget* parent = nullptr);
  ~TTastenFrame() override;

  Ui::TTastenFrame& Form() { return *ui_; }
  int Tag() const { return model_->Tag; }
  void SetCaption(const QString& caption);
  // "Lesen" and "Schreiben" (the main window hides them).
  void SetButtonsVisible(bool visible);

 private:
  std::unique_ptr<Ui::TTastenFrame> ui_;
};

}  // namespace qel::gui
