#include "gui/link/USB_HID_Connect_Unit.h"

#include <QCloseEvent>
#include <QFontDatabase>

#include "ui_USB_HID_Connect_Unit.h"

namespace qel::gui {

TUSB_HID::TUSB_HID(HidBackend& backend, int readTimeoutMs, QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::TUSB_HID>()) {
  ui_->setupUi(this);
  ui_->Memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  memo_ = std::make_unique<PlainTextLogView>(ui_->Memo);
  link_ = std::make_unique<HidLink>(backend, *memo_);
  link_->SetReadTimeoutMs(readTimeoutMs);
  link_->OnStatusChanged = [this] { ShowConnectStatus(); };

  connect(ui_->DebugCheckBox, &QCheckBox::toggled, this, [this](bool on) { link_->SetDebug(on); });
  connect(ui_->CLRButton, &QPushButton::clicked, this, &TUSB_HID::CLRButtonClick);

  plugMonitor_ = std::make_unique<PlugMonitor>();
  if (plugMonitor_->Fd() >= 0) {
    plugNotifier_ = new QSocketNotifier(plugMonitor_->Fd(), QSocketNotifier::Read, this);
    connect(plugNotifier_, &QSocketNotifier::activated, this, [this] {
      if (plugMonitor_->TakeChanges()) ScanNow();
    });
  }
  rescanTimer_.setInterval(kRescanIntervalMs);
  connect(&rescanTimer_, &QTimer::timeout, this, &TUSB_HID::ScanNow);
  rescanTimer_.start();
  // The first scan runs as soon as the event loop starts.
  QTimer::singleShot(0, this, &TUSB_HID::ScanNow);
}

TUSB_HID::~TUSB_HID() = default;

void TUSB_HID::ScanNow() {
  link_->ScanNow();
}

void TUSB_HID::CLRButtonClick() {
  ui_->Memo->clear();
}

void TUSB_HID::ShowConnectStatus() {
  switch (link_->ConnectStatus()) {
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

// Closing only hides the window; it lives as long as the program.
void TUSB_HID::closeEvent(QCloseEvent* event) {
  hide();
  event->ignore();
}

}  // namespace qel::gui
