// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// tcp:HOST:PORT — the instrument in another process, spoken to over the report-stream
// protocol as if it were one HID device. The tool is the client and connects only where
// the user points it. A live connection is a plugged device; a closed one is an
// unplugged device (reported by the next scan), and the scan after that reconnects.
//
// Connecting (connect and the hello frame) is bounded by the read time limit, so a scan
// never waits longer than one read may; a failed attempt is not repeated for
// kConnectBackOffMs, so a peer that accepts and never greets costs one time limit every
// few seconds, not one per rescan.

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "core/link/hid_backend.h"

namespace qel {

class ReportStreamBackend : public HidBackend {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;
  static constexpr int kConnectBackOffMs = 3000;

  ReportStreamBackend(std::string host, int port, int timeLimitMs = 1000);
  ~ReportStreamBackend() override;

  std::vector<HidDeviceInfo> Enumerate() override;
  std::unique_ptr<HidConnection> Open(const HidDeviceInfo& device) override;
  // Bounds connecting and the wait for the rest of a frame; negative: 1000 ms.
  void SetTimeLimitMs(int ms) override;
  void SetClock(Clock clock) { clock_ = std::move(clock); }

  std::string Path() const;
  // Why the last connection attempt failed (empty after a success).
  const std::string& LastError() const { return lastError_; }

  struct Stream;  // one TCP connection; shared with the connections opened on it

 private:
  static int EffectiveLimitMs(int ms);
  bool Connect();
  std::chrono::steady_clock::time_point Now() const;

  std::string host_;
  int port_;
  int timeLimitMs_;
  Clock clock_;
  std::shared_ptr<Stream> stream_;
  std::string lastError_;
  std::chrono::steady_clock::time_point retryAt_{};
};

}  // namespace qel
