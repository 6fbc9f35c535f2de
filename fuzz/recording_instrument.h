// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An instrument for fuzz targets, behind a real HidLink and ScpiSession: it records every
// line it receives and answers each report with the next of a list of input-report
// payloads (the bytes after the report ID, taken as they are, NULs and all; at most 64 are
// delivered), then with empty reports once the list is used up.

#include <algorithm>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "core/link/hid_backend.h"
#include "core/link/hid_link.h"
#include "core/link/log_view.h"
#include "core/link/scpi_session.h"

namespace qel::fuzz {

class RecordingInstrument : public HidBackend {
 public:
  explicit RecordingInstrument(std::deque<std::string> payloads = {})
      : payloads_(std::move(payloads)) {
    link_.ScanNow();
  }

  ScpiSession& Session() { return session_; }
  // Every line received, without its line feed.
  const std::vector<std::string>& Lines() const { return lines_; }

  std::vector<HidDeviceInfo> Enumerate() override {
    HidDeviceInfo info;
    info.path = "fuzz";
    info.vendorId = kQelVendorId;
    info.productId = kQelProductId;
    info.inputReportByteLength = 65;
    info.outputReportByteLength = 65;
    return {info};
  }
  std::unique_ptr<HidConnection> Open(const HidDeviceInfo&) override {
    return std::make_unique<Connection>(*this);
  }

 private:
  class Connection : public HidConnection {
   public:
    explicit Connection(RecordingInstrument& owner) : owner_(owner) {}
    bool Write(const std::uint8_t* data, std::size_t length) override {
      std::string line(data + 1, data + length);
      line = line.substr(0, line.find('\0'));
      if (!line.empty() && line.back() == '\n') line.pop_back();
      owner_.lines_.push_back(line);
      std::string payload;
      if (!owner_.payloads_.empty()) {
        payload = std::move(owner_.payloads_.front());
        owner_.payloads_.pop_front();
      }
      std::vector<std::uint8_t> report(1, 0);
      report.insert(report.end(), payload.begin(), payload.end());
      report.resize(std::min<std::size_t>(report.size(), 65));
      queued_.push_back(std::move(report));
      return true;
    }
    ReadStatus Read(std::uint8_t* buffer, std::size_t capacity, int,
                    std::size_t& delivered) override {
      delivered = 0;
      if (queued_.empty()) return ReadStatus::Timeout;
      const auto& report = queued_.front();
      delivered = std::min(capacity, report.size());
      std::copy_n(report.begin(), delivered, buffer);
      queued_.pop_front();
      return ReadStatus::Report;
    }

   private:
    RecordingInstrument& owner_;
    std::deque<std::vector<std::uint8_t>> queued_;
  };

  std::deque<std::string> payloads_;
  std::vector<std::string> lines_;
  MemoryLog memo_;
  HidLink link_{*this, memo_};
  ScpiSession session_{link_};
};

}  // namespace qel::fuzz
