// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/link/USB_HID_Connect_Unit.h"

#include <QFontDatabase>

#include "ui_USB_HID_Connect_Unit.h"

namespace qel::gui {

TUSB_HID::TUSB_HID(HidLink& link, QWidget* parent)
    : RunWindow(parent), link_(link), ui_(std::make_unique<Ui::TUSB_HID>()) {
  ui_->setupUi(this);
  ui_->Memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  memo_ = std::make_unique<PlainTextLogView>(ui_->Memo);
  link_.AttachMemo(memo_.get());
  link_.OnStatusChanged = [this] { ShowConnectStatus(); };

  connect(ui_->DebugCheckBox, &QCheckBox::toggled, this, [this](bool on) { link_.SetDebug(on); });
  connect(ui_->CLRButton, &QPushButton::clicked, this, &TUSB_HID::CLRButtonClick);
}

TUSB_HID::~TUSB_HID() {
  link_.OnStatusChanged = nullptr;
  link_.AttachMemo(nullptr);
}

void TUSB_HID::CLRButtonClick() {
  ui_->Memo->clear();
}

void TUSB_HID::ShowConnectStatus() {
  switch (link_.ConnectStatus()) {
    case ConnectStatus::Initial:
      ui_->ConnectStatus->setText(QString());
      ui_->ConnectStatus->setStyleSheet(QString());
      break;
    case ConnectStatus::NoQel:
      ui_->ConnectStatus->setText(QStringLiteral("NO QEL"));
      ui_->ConnectStatus->setStyleSheet(QStringLiteral("background-color: rgb(255, 0, 0);"));
      break;
    case ConnectStatus::QelFound:
      ui_->ConnectStatus->setText(QStringLiteral("QEL Found"));
      ui_->ConnectStatus->setStyleSheet(QStringLiteral("background-color: rgb(0, 255, 0);"));
      break;
  }
}

}  // namespace qel::gui
