// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/pages/EIA232_Frame_Unit.h"

#include "ui_EIA232_Frame_Unit.h"

namespace qel::gui {

TEIA232Frame::TEIA232Frame(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::TEIA232Frame>()) {
  ui_->setupUi(this);
  // Read and write run for all pages at once from the main window.
  ui_->Button1->hide();
  ui_->Button2->hide();
  // The boxes' key filter is `Baud_ComboBoxKeyPress` here.
  BindChoice(*ui_->Baud_ComboBox, &EIA232Model::Baud);
  BindChoice(*ui_->StopBit_ComboBox, &EIA232Model::StopBit);
  BindChoice(*ui_->Parity_ComboBox, &EIA232Model::Parity);
  BindChoice(*ui_->Mode_ComboBox, &EIA232Model::Mode);
  ConnectButtons(*this, *ui_->Button1, *ui_->Button2);
  CopyFromModel();
}

TEIA232Frame::~TEIA232Frame() = default;

void TEIA232Frame::SetCaption(const QString& caption) {
  ui_->GroupBox1->setTitle(caption);
}

}  // namespace qel::gui
