// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/pages/InLineFunktion_Frame_Unit.h"

#include "ui_InLineFunktion_Frame_Unit.h"

namespace qel::gui {

TInLineFrame::TInLineFrame(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::TInLineFrame>()) {
  ui_->setupUi(this);
  // Read and write run for all pages at once from the main window.
  ui_->Button1->hide();
  ui_->Button2->hide();
  BindChoice(*ui_->Funk_ComboBox, &InLineModel::Funk);
  BindChoice(*ui_->Logic_ComboBox, &InLineModel::Logic);
  ConnectButtons(*this, *ui_->Button1, *ui_->Button2);
  CopyFromModel();
}

TInLineFrame::~TInLineFrame() = default;

void TInLineFrame::SetCaption(const QString& caption) {
  ui_->GroupBox1->setTitle(caption);
}

}  // namespace qel::gui
