// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The link to the instrument: finds and claims it among the HID devices, writes one
// output report per SCPI line and reads the one input report the instrument answers with.
// The link window only shows the log (Memo) and the ConnectStatus panel kept here; the
// application owns the link for the whole run and the window attaches its log view.

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

#include "core/link/hid_backend.h"
#include "core/link/hid_device_controller.h"
#include "core/link/log_view.h"

namespace qel {

// The link window's status panel.
enum class ConnectStatus {
  Initial,   // empty, neutral colour: no enumeration step yet
  NoQel,     // "NO QEL", red
  QelFound,  // "QEL Found", green
};

class HidLink {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;

  static constexpr int kDefaultReadTimeoutMs = 1000;
  static constexpr int kHoldOffMs = 2000;
  // How long a report owed to a timed-out line is waited for (see ReadReport).
  static constexpr int kOwedReportLifetimeMs = 10000;
  static constexpr std::size_t kLogLimit = 500;

  // Logs into nothing until a memo is attached.
  explicit HidLink(HidBackend& backend);
  // `memo` is the link log; it must outlive the link (or be detached first).
  HidLink(HidBackend& backend, LogView& memo);

  // The link log from now on; nullptr logs into nothing again.
  void AttachMemo(LogView* memo) { memo_ = memo != nullptr ? memo : &noMemo_; }

  // One scan of the controller (plug notice, rescan timer, first scan after start).
  void ScanNow();

  // Writes `text` and reads the answer. `onWritten` runs once the report has gone out,
  // before the read (the protocol log records the line then); not at all when nothing
  // was written (no instrument, hold-off, a refused write).
  std::string Exchange(const std::string& text, const std::function<void()>& onWritten = {});
  // False when nothing went out: no instrument, the hold-off, or the write was refused.
  bool WriteReport(const std::string& text);
  std::string ReadReport();

  static bool IsInstrument(const HidDevice* device);
  static std::string DescribeDevice(const HidDevice& device);
  static std::string DescribeDevice(const HidDeviceInfo& info);
  static std::string EscapeText(const std::string& text);
  void AddLogLine(const std::string& text);

  bool Connected() const { return connected_; }
  qel::ConnectStatus ConnectStatus() const { return status_; }
  HidDevice* LinkDevice() const { return linkDevice_; }
  const std::array<std::uint8_t, kReportSize>& LastReport() const { return lastReport_; }
  HidDeviceController& Controller() { return controller_; }
  LogView& Memo() { return *memo_; }

  bool Debug() const { return debug_; }
  void SetDebug(bool on) { debug_ = on; }

  // Read time limit per report; a negative value waits without limit. It also bounds
  // connecting (the backend is told).
  void SetReadTimeoutMs(int ms);
  int ReadTimeoutMs() const { return readTimeoutMs_; }
  void SetOwedReportLifetimeMs(int ms) { owedLifetimeMs_ = ms; }
  void SetClock(Clock clock) { clock_ = std::move(clock); }
  // Reports owed to timed-out lines that are still waited for.
  std::size_t OwedReports() const { return owed_.size(); }

  // Whether the last Exchange got an input report back (an empty reply still counts).
  bool LastExchangeAnswered() const { return lastAnswered_; }
  // Exchanges so far that got no input report.
  std::uint64_t UnansweredExchanges() const { return unanswered_; }
  // Why the instrument found by the last scan could not be opened (path and cause);
  // empty when it could, or when none was found.
  const std::string& OpenError() const { return openError_; }

  // Called whenever Connected or ConnectStatus may have changed (the window repaints).
  std::function<void()> OnStatusChanged;

  // Controller event handlers.
  void HidCtlArrival(HidDevice& device);
  void HidCtlRemoval(HidDevice& device);
  void HidCtlDeviceChange();
  bool HidCtlEnumerate(HidDevice& device);

 private:
  using TimePoint = std::chrono::steady_clock::time_point;

  void DebugLog(const std::string& text);
  void SetStatus(qel::ConnectStatus status, bool connected);
  bool Claim(HidDevice* claimed);
  void ForgetOwedReports();
  bool TakeOwedReport(TimePoint& deadline);
  void DrainQueuedReports();
  TimePoint Now() const;

  HidDeviceController controller_;
  DiscardingLog noMemo_;
  LogView* memo_ = &noMemo_;
  HidDevice* linkDevice_ = nullptr;
  bool connected_ = false;
  qel::ConnectStatus status_ = ConnectStatus::Initial;
  bool debug_ = false;
  std::array<std::uint8_t, kReportSize> lastReport_{};

  int readTimeoutMs_ = kDefaultReadTimeoutMs;
  int owedLifetimeMs_ = kOwedReportLifetimeMs;
  Clock clock_;
  TimePoint holdOffUntil_{};
  // One entry per report owed to a timed-out line, oldest first: until when it is waited
  // for.
  std::deque<TimePoint> owed_;
  std::string openError_;
  bool openErrorShown_ = false;  // in the log since it was last emptied
  bool lastAnswered_ = false;
  bool lastReadGotReport_ = false;
  std::uint64_t unanswered_ = 0;
};

}  // namespace qel
