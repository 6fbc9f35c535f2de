#pragma once
// An instrument for page tests: answers each query line from a table (empty text for
// lines it does not know, and for every setting line, as the meter answers every
// report) and keeps every line it received.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "../link/fake_backend.h"
#include "core/link/hid_link.h"
#include "core/link/scpi_session.h"

namespace qel::testing {

class TableInstrument {
 public:
  // Without `present` no instrument is plugged in: every query gets empty text.
  explicit TableInstrument(std::map<std::string, std::string> replies = {}, bool present = true)
      : replies_(std::move(replies)) {
    if (present) {
      device_ = backend_.Add(MakeInfo("qel", kQelVendorId, kQelProductId));
      device_->onWrite = [this](FakeDevice& d, const std::vector<std::uint8_t>& report) {
        const auto it = replies_.find(LineOf(report));
        d.queued.push_back(
            Report(it == replies_.end() ? "" : it->second, d.info.inputReportByteLength));
      };
    }
    link_.ScanNow();
  }
  TableInstrument(const TableInstrument&) = delete;
  TableInstrument& operator=(const TableInstrument&) = delete;

  ScpiSession& Session() { return session_; }
  void SetReply(const std::string& line, const std::string& reply) { replies_[line] = reply; }

  // Every line received so far, without its line feed.
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    if (device_) {
      for (const auto& report : device_->written) lines.push_back(LineOf(report));
    }
    return lines;
  }
  void ClearLines() {
    if (device_) device_->written.clear();
  }

 private:
  static std::string LineOf(const std::vector<std::uint8_t>& report) {
    std::string text(report.begin() + 1, report.end());
    text = text.substr(0, text.find('\0'));
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
  }

  std::map<std::string, std::string> replies_;
  FakeBackend backend_;
  MemoryLog memo_;
  HidLink link_{backend_, memo_};
  ScpiSession session_{link_};
  std::shared_ptr<FakeDevice> device_;
};

}  // namespace qel::testing
