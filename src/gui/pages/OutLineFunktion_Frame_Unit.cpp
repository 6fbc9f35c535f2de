// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/pages/OutLineFunktion_Frame_Unit.h"

#include "ui_OutLineFunktion_Frame_Unit.h"

namespace qel::gui {

TOutLineFrame::TOutLineFrame(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::TOutLineFrame>()) {
  ui_->setupUi(this);
  // Read and write run for all pages at once from the main window.
  ui_->Button1->hide();
  ui_->Button2->hide();
  BindChoice(*ui_->Funk_ComboBox, &OutLineModel::Funk);
  BindChoice(*ui_->Logic_ComboBox, &OutLineModel::Logic);
  BindLimit(*ui_->OG_Edit, &OutLineModel::OG, kLimitMaxLength);
  BindLimit(*ui_->UG_Edit, &OutLineModel::UG, kLimitMaxLength);
  connect(ui_->Funk_ComboBox, &QComboBox::activated, this, &TOutLineFrame::Funk_ComboBoxChange);
  ConnectButtons(*this, *ui_->Button1, *ui_->Button2);
  CopyFromModel();
}

TOutLineFrame::~TOutLineFrame() = default;

void TOutLineFrame::SetCaption(const QString& caption) {
  ui_->GroupBox1->setTitle(caption);
}

void TOutLineFrame::Funk_ComboBoxChange() {
  const OutLineEnabling enabling = OutLineEnablingFor(ui_->Funk_ComboBox->currentIndex());
  ui_->Logic_ComboBox->setEnabled(enabling.logic);
  ui_->OG_Edit->setEnabled(enabling.upperLimit);
  ui_->UG_Edit->setEnabled(enabling.lowerLimit);
}

}  // namespace qel::gui
