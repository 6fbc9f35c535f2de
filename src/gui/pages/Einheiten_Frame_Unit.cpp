// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/pages/Einheiten_Frame_Unit.h"

#include "gui/pages/page_controls.h"
#include "ui_Einheiten_Frame_Unit.h"

namespace qel::gui {

TEinheitenFrame::TEinheitenFrame(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::TEinheitenFrame>()) {
  ui_->setupUi(this);
  // The boxes' key filter is `Mess_Modus_ComboBoxKeyPress` here.
  BindChoice(*ui_->Mess_Modus_ComboBox, &EinheitenModel::Mess_Modus);
  BindChoice(*ui_->Einheit_ComboBox, &EinheitenModel::Einheit);
  BindChoice(*ui_->Bereich_ComboBox, &EinheitenModel::Bereich);
  BindCheck(*ui_->Auto, &EinheitenModel::Auto);
  shownRangeItems_ = model_->RangeItems().data();
  // activated: the user's choices only, never a selection set by a read or a load.
  connect(ui_->Mess_Modus_ComboBox, &QComboBox::activated, this,
          &TEinheitenFrame::Mess_Modus_ComboBoxChange);
  connect(ui_->Einheit_ComboBox, &QComboBox::activated, this,
          &TEinheitenFrame::Mess_Modus_ComboBoxChange);
  connect(ui_->Bereich_ComboBox, &QComboBox::activated, this,
          &TEinheitenFrame::Bereich_ComboBoxChange);
  ConnectButtons(*this, *ui_->Button1, *ui_->Button2);
  CopyFromModel();
}

TEinheitenFrame::~TEinheitenFrame() = default;

void TEinheitenFrame::SetCaption(const QString& caption) {
  ui_->GroupBox1->setTitle(caption);
}

void TEinheitenFrame::SetOwnControlsVisible(bool visible) {
  ui_->Button1->setVisible(visible);
  ui_->Button2->setVisible(visible);
  ui_->Auto->setVisible(visible);
}

// The box keeps the texts it shows until the model's list changes, so that a translation
// made at start-up stays until the texts really follow mode and unit.
void TEinheitenFrame::ShowRangeItems() {
  const auto items = model_->RangeItems();
  if (items.data() == shownRangeItems_) return;
  ReplaceChoiceItems(*ui_->Bereich_ComboBox, items);
  shownRangeItems_ = items.data();
}

void TEinheitenFrame::UpdateRangeItems() {
  CopyToModel();
  model_->UpdateRangeItems();
  ShowRangeItems();
}

void TEinheitenFrame::Mess_Modus_ComboBoxChange() {
  CopyToModel();
  const bool told =
      WithSession([this](ScpiSession& session) { model_->ModeOrUnitChangedByUser(session); });
  if (!told) model_->UpdateRangeItems();
  ShowRangeItems();
}

void TEinheitenFrame::Bereich_ComboBoxChange() {
  CopyToModel();
  WithSession([this](ScpiSession& session) { model_->RangeChangedByUser(session); });
}

}  // namespace qel::gui
