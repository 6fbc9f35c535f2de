#pragma once
// The link window "USB HID Connect": shows the devices found, the connection state and,
// with "Debug" checked, every report. It owns the HID link and drives its scans from the
// event loop: the first scan when the loop starts, every udev plug notice, and a slow
// rescan timer (without a running udevd the monitor hears nothing).

#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "core/link/hid_backend.h"
#include "core/link/hid_link.h"
#include "core/link/plug_monitor.h"
#include "gui/link/plain_text_log_view.h"

namespace Ui {
class TUSB_HID;
}

namespace qel::gui {

class TUSB_HID : public QWidget {
  Q_OBJECT

 public:
  // `backend` must outlive the window.
  TUSB_HID(HidBackend& backend, int readTimeoutMs, QWidget* parent = nullptr);
  ~TUSB_HID() override;

  HidLink& Link() { return *link_; }
  Ui::TUSB_HID& Form() { return *ui_; }

  // One scan now (plug notice, rescan timer, first scan).
  void ScanNow();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CLRButtonClick();
  void ShowConnectStatus();

  std::unique_ptr<Ui::TUSB_HID> ui_;
  std::unique_ptr<PlainTextLogView> memo_;
  std::unique_ptr<HidLink> link_;
  std::unique_ptr<PlugMonitor> plugMonitor_;
  QSocketNotifier* plugNotifier_ = nullptr;
  QTimer rescanTimer_;
};

}  // namespace qel::gui
