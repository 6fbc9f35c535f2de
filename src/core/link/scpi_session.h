// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// SCPI line exchange over the link, with the time-stamped protocol log. Every page and
// window reaches the instrument through ScpiQuery or ScpiQueryRaw only.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "core/link/hid_link.h"
#include "core/link/log_view.h"

namespace qel {

// Local wall-clock time as the protocol log stamps it ("nn.ss.zzz ": no hour).
struct LogTime {
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

LogTime LocalLogTimeNow();
std::string FormatLogStamp(const LogTime& time);

class ScpiSession {
 public:
  static constexpr std::size_t kProtocolLogLimit = 250;

  // `protocolLog` may be null (nothing logged); it can be attached later.
  explicit ScpiSession(HidLink& link, LogView* protocolLog = nullptr);

  std::string ScpiQuery(const std::string& line);
  std::string ScpiQueryRaw(const std::string& line);
  void ProtocolLog(const std::string& text);

  const std::array<std::uint8_t, kReportSize>& RawReply() const { return rawReply_; }
  HidLink& Link() { return link_; }

  void SetProtocolLog(LogView* log) { protocolLog_ = log; }
  LogView* ProtocolLogView() const { return protocolLog_; }
  void SetLogClock(std::function<LogTime()> clock) { clock_ = std::move(clock); }

  // Lines so far that got no input report at all (as opposed to an empty one).
  std::uint64_t UnansweredLines() const { return link_.UnansweredExchanges(); }

 private:
  HidLink& link_;
  LogView* protocolLog_;
  std::function<LogTime()> clock_;
  std::array<std::uint8_t, kReportSize> rawReply_{};
};

}  // namespace qel
