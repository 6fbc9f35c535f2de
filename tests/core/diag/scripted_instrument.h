// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fake instrument behind a real HidLink and ScpiSession: it answers each line from a
// table (the same reply every time, or a list of replies in turn whose last one
// repeats), records every line it receives, and can leave chosen lines unanswered.
// Like the meter, it answers every report, settings included; a line it has no reply
// for gets an empty text. The diagnosis, page and service tests all use it.

#include <chrono>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "../link/fake_backend.h"
#include "core/link/hid_link.h"
#include "core/link/log_view.h"
#include "core/link/scpi_session.h"

namespace qel::testing {

class ScriptedInstrument {
 public:
  // attached = false: no instrument on the bus, every exchange fails at once.
  explicit ScriptedInstrument(bool attached = true) : ScriptedInstrument({}, attached) {}
  // Each line of `replies` gets its text every time.
  explicit ScriptedInstrument(const std::map<std::string, std::string>& replies,
                              bool attached = true) {
    for (const auto& [line, text] : replies) Reply(line, text);
    // Each look at the clock moves it on by 3 s, so the link's hold-off after an
    // unanswered line is over by the next line and every line goes out.
    link.SetClock([this] { return now += std::chrono::seconds(3); });
    session.SetLogClock([] { return LogTime{0, 0, 0}; });
    if (!attached) return;
    device = backend.Add(MakeInfo("qel", kQelVendorId, kQelProductId));
    device->onWrite = [this](FakeDevice& d, const std::vector<std::uint8_t>& report) {
      std::string text(report.begin() + 1, report.end());
      text = text.substr(0, text.find('\0'));
      if (!text.empty() && text.back() == '\n') text.pop_back();
      sent.push_back(text);
      if (auto answer = Answer(text, static_cast<std::size_t>(d.info.inputReportByteLength)))
        d.queued.push_back(*answer);
    };
    link.ScanNow();
  }

  ScriptedInstrument(const ScriptedInstrument&) = delete;
  ScriptedInstrument& operator=(const ScriptedInstrument&) = delete;

  void Reply(const std::string& line, const std::string& text) { replies_[line] = {text}; }
  void ReplyInTurn(const std::string& line, std::deque<std::string> texts) {
    replies_[line] = std::move(texts);
  }
  // A whole input report (report ID first), for raw replies; used in turn like texts.
  void ReplyReports(const std::string& line, std::deque<std::vector<std::uint8_t>> reports) {
    reports_[line] = std::move(reports);
  }
  // The line gets no input report at all.
  void Silence(const std::string& line) { silent_.insert(line); }
  void SilenceAll() { silentAll_ = true; }

  std::vector<std::string> sent;  // every line received, without its line feed
  const std::vector<std::string>& Lines() const { return sent; }
  void ClearLines() { sent.clear(); }
  ScpiSession& Session() { return session; }

  FakeBackend backend;
  MemoryLog memo;
  MemoryLog protocol;
  HidLink link{backend, memo};
  ScpiSession session{link, &protocol};
  std::shared_ptr<FakeDevice> device;

 private:
  std::optional<std::vector<std::uint8_t>> Answer(const std::string& line,
                                                  std::size_t reportLength) {
    if (silentAll_ || silent_.count(line) != 0) return std::nullopt;
    if (auto it = reports_.find(line); it != reports_.end() && !it->second.empty()) {
      auto report = it->second.front();
      if (it->second.size() > 1) it->second.pop_front();
      return report;
    }
    std::string text;
    if (auto it = replies_.find(line); it != replies_.end() && !it->second.empty()) {
      text = it->second.front();
      if (it->second.size() > 1) it->second.pop_front();
    }
    return Report(text, reportLength);
  }

  std::chrono::steady_clock::time_point now{};
  std::map<std::string, std::deque<std::string>> replies_;
  std::map<std::string, std::deque<std::vector<std::uint8_t>>> reports_;
  std::set<std::string> silent_;
  bool silentAll_ = false;
};

}  // namespace qel::testing
