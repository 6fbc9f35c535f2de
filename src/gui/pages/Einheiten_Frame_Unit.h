// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The measurement settings page: mode, unit and range. The range items' texts follow the
// chosen mode and unit; a user's change of mode, unit or range writes the page when "Auto"
// is checked (hidden on the main window).

#include <QWidget>
#include <memory>
#include <string_view>

#include "core/pages/einheiten_model.h"
#include "gui/pages/bound_frame.h"

namespace Ui {
class TEinheitenFrame;
}

namespace qel::gui {

class TEinheitenFrame : public QWidget, public BoundFrame<EinheitenModel> {
  Q_OBJECT

 public:
  explicit TEinheitenFrame(QWidget* parent = nullptr);
  ~TEinheitenFrame() override;

  Ui::TEinheitenFrame& Form() { return *ui_; }
  void SetCaption(const QString& caption);
  // "Lesen", "Schreiben" and "Auto" (the main window hides them).
  void SetOwnControlsVisible(bool visible);

  // The range texts of the current mode and unit; the range position is kept.
  void UpdateRangeItems();

  // Handlers of user changes.
  void Mess_Modus_ComboBoxChange();  // mode or unit
  void Bereich_ComboBoxChange();

 protected:
  void ModelShown() override { ShowRangeItems(); }

 private:
  void ShowRangeItems();

  std::unique_ptr<Ui::TEinheitenFrame> ui_;
  // The range texts the box shows now (the model's list they came from).
  const std::string_view* shownRangeItems_ = nullptr;
};

}  // namespace qel::gui
