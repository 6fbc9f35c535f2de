// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/pages/TastenFunktion_Frame_Unit.h"

#include "ui_TastenFunktion_Frame_Unit.h"

namespace qel::gui {

TTastenFrame::TTastenFrame(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::TTastenFrame>()) {
  ui_->setupUi(this);
  BindChoice(*ui_->Funk_ComboBox, &TastenModel::Funk);
  ConnectButtons(*this, *ui_->Button1, *ui_->Button2);
  CopyFromModel();
}

TTastenFrame::~TTastenFrame() = default;

void TTastenFrame::SetCaption(const QString& caption) {
  ui_->GroupBox1->setTitle(caption);
}

void TTastenFrame::SetButtonsVisible(bool visible) {
  ui_->Button1->setVisible(visible);
  ui_->Button2->setVisible(visible);
}

}  // namespace qel::gui
