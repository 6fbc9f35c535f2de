// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/pages/LAN_Frame_Unit.h"

#include <QLineEdit>

#include "gui/pages/IP_Adr_In_Frame.h"
#include "ui_LAN_Frame_Unit.h"

namespace qel::gui {

TLANFrame::TLANFrame(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::TLANFrame>()) {
  ui_->setupUi(this);
  // The two address rows stay together at the top when the page is drawn taller.
  ui_->pageLayout->setAlignment(Qt::AlignTop);
  ui_->Ip_Adr_In->SetOctetNames(ui_->Label1->text());
  ui_->Sub_Adr_In->SetOctetNames(ui_->Label2->text());
  // Tab order through all eight octets, then the buttons.
  const auto& address = ui_->Ip_Adr_In->Octets();
  const auto& mask = ui_->Sub_Adr_In->Octets();
  QWidget* const chain[] = {address[0], address[1], address[2], address[3],   mask[0],
                            mask[1],    mask[2],    mask[3],    ui_->Button1, ui_->Button2};
  for (std::size_t i = 0; i + 1 < std::size(chain); ++i) setTabOrder(chain[i], chain[i + 1]);
  BindAddress(address, &LANModel::Ip_Adr_In);
  BindAddress(mask, &LANModel::Sub_Adr_In);
  ConnectButtons(*this, *ui_->Button1, *ui_->Button2);
  CopyFromModel();
}

TLANFrame::~TLANFrame() = default;

void TLANFrame::SetCaption(const QString& caption) {
  ui_->GroupBox1->setTitle(caption);
}

void TLANFrame::SetButtonsVisible(bool visible) {
  ui_->Button1->setVisible(visible);
  ui_->Button2->setVisible(visible);
}

}  // namespace qel::gui
