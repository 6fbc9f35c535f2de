// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/pages/EIA485_Frame_Unit.h"

#include "core/pages/eia485_definition.h"
#include "gui/pages/page_controls.h"
#include "ui_EIA485_Frame_Unit.h"

namespace qel::gui {

TEIA485Frame::TEIA485Frame(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::TEIA485Frame>()) {
  ui_->setupUi(this);
  FillChoiceBox(*ui_->Baud_ComboBox, kBaudItems);
  FillChoiceBox(*ui_->Mode_ComboBox, kEIA485ModeItems);
  InstallChoiceBoxKeyFilter(*ui_->Baud_ComboBox);
  InstallChoiceBoxKeyFilter(*ui_->Mode_ComboBox);
  ui_->Adr_Edit->setText(ShownText(kEIA485InitialAddress));
  SetTypingLimit(*ui_->Adr_Edit, kEIA485AddressMaxLength);
}

TEIA485Frame::~TEIA485Frame() = default;

}  // namespace qel::gui
