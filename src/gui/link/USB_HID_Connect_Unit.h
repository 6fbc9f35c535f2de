// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The link window "USB HID Connect": shows the devices found, the connection state and,
// with "Debug" checked, every report. The application owns the link and drives its scans;
// this window attaches its log to the link while it exists and follows its status.

#include <memory>

#include "core/link/hid_link.h"
#include "gui/common/plain_text_log_view.h"
#include "gui/common/run_window.h"

namespace Ui {
class TUSB_HID;
}

namespace qel::gui {

class TUSB_HID : public RunWindow {
  Q_OBJECT

 public:
  // `link` must outlive the window.
  explicit TUSB_HID(HidLink& link, QWidget* parent = nullptr);
  ~TUSB_HID() override;

  Ui::TUSB_HID& Form() { return *ui_; }

 private:
  void CLRButtonClick();
  void ShowConnectStatus();

  HidLink& link_;
  std::unique_ptr<Ui::TUSB_HID> ui_;
  std::unique_ptr<PlainTextLogView> memo_;
};

}  // namespace qel::gui
