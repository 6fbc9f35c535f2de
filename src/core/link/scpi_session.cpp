// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/scpi_session.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace qel {

LogTime LocalLogTimeNow() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &seconds);
#else
  localtime_r(&seconds, &local);
#endif
  const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
  return LogTime{local.tm_min, local.tm_sec, static_cast<int>(ms)};
}

std::string FormatLogStamp(const LogTime& time) {
  char stamp[16];
  std::snprintf(stamp, sizeof stamp, "%02d.%02d.%03d ", time.minute % 100, time.second % 100,
                time.millisecond % 1000);
  return stamp;
}

ScpiSession::ScpiSession(HidLink& link, LogView* protocolLog)
    : link_(link), protocolLog_(protocolLog) {}

void ScpiSession::ProtocolLog(const std::string& text) {
  if (protocolLog_ == nullptr) return;
  // One line only, however many there are: lines a user typed are trimmed one per entry.
  if (protocolLog_->LineCount() > kProtocolLogLimit) protocolLog_->DeleteFirstLine();
  protocolLog_->AppendLine(FormatLogStamp(clock_ ? clock_() : LocalLogTimeNow()) + text);
}

namespace {
bool IsQuery(const std::string& line) {
  return line.find('?') != std::string::npos;
}
}  // namespace

// "SND : " is logged once the line has gone out, with the time it went out: a line that
// was never written (no instrument, the link's hold-off after a time-out, a refused
// write) leaves no entry, so the log shows exactly the traffic that reached the
// instrument. The caller sees such a line's empty reply; marking it in the log as well
// would push real traffic out of the 250-line log during a hold-off.
std::string ScpiSession::ScpiQuery(const std::string& line) {
  const auto logSent = [this, &line] { ProtocolLog("SND : " + line); };
  std::string reply;
  if (IsQuery(line)) {
    reply = link_.Exchange(line + '\n', logSent);
    if (!reply.empty()) {
      const auto nul = reply.find('\0');
      if (nul != std::string::npos) reply.erase(nul);
      ProtocolLog("REC : " + reply);
    }
  } else {
    link_.Exchange(line + '\n', logSent);
  }
  return reply;
}

std::string ScpiSession::ScpiQueryRaw(const std::string& line) {
  const auto logSent = [this, &line] { ProtocolLog("SND : " + line); };
  std::string reply;
  if (IsQuery(line)) {
    reply = link_.Exchange(line + '\n', logSent);
    if (!reply.empty()) {
      // The header is the first 6 characters, NUL or not; the payload stays in RawReply.
      if (reply.size() > 6) reply.erase(6);
      ProtocolLog("REC : " + reply);
      rawReply_ = link_.LastReport();
    }
  } else {
    link_.Exchange(line + '\n', logSent);
  }
  return reply;
}

}  // namespace qel
