// SPDX-License-Identifier: GPL-3.0-or-later
#include "fault_harness.h"

#include <stdexcept>

#include "core/link/device_selection.h"

namespace qel::testing {

ServedSim::ServedSim(sim::SimOptions options) : backend_(std::move(options)) {
  std::string error;
  if (!server_.Listen(0, error)) throw std::runtime_error(error);
  thread_ = std::thread([this] { server_.Run(); });
}

ServedSim::~ServedSim() {
  server_.Stop();
  thread_.join();
}

ToolSession::ToolSession(int port, int timeoutMs)
    : backend(MakeBackend({DeviceOption::Kind::Tcp, "127.0.0.1", port, {}}, {})) {
  link.SetReadTimeoutMs(timeoutMs);
  link.SetDebug(true);
}

namespace {

std::string Inner(const std::string& logLine, const std::string& prefix) {
  return logLine.substr(prefix.size(), logLine.size() - prefix.size() - 1);  // drop '<'
}

// The reply text the link makes of a report: bytes 1..64 at most.
std::string ReplyText(const std::vector<std::uint8_t>& report) {
  const std::size_t n = std::min<std::size_t>(report.size(), 65);
  return n > 1 ? std::string(report.begin() + 1, report.begin() + static_cast<std::ptrdiff_t>(n))
               : std::string();
}

}  // namespace

std::vector<std::string> MisplacedReplies(const std::vector<std::string>& linkLog,
                                          const std::vector<sim::AnswerRecord>& answers) {
  std::vector<std::string> misplaced;
  long written = 0;
  std::string sent;
  for (const std::string& entry : linkLog) {
    if (entry == "Device Change ") {
      written = 0;
    } else if (entry.rfind("SND: >", 0) == 0) {
      ++written;
      sent = Inner(entry, "SND: >");
    } else if (entry.rfind("REC: >", 0) == 0) {
      const std::string received = Inner(entry, "REC: >");
      if (received.empty()) continue;  // no report came
      bool match = false;
      for (const sim::AnswerRecord& answer : answers) {
        match = match || (answer.answered && answer.connectionLine == written &&
                          HidLink::EscapeText(answer.line + '\n') == sent &&
                          HidLink::EscapeText(ReplyText(answer.report)) == received);
      }
      if (!match) {
        misplaced.push_back("line " + std::to_string(written) + " >" + sent + "< got >" + received +
                            "<");
      }
    }
  }
  return misplaced;
}

}  // namespace qel::testing
