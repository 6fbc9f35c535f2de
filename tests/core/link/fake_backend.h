// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A scriptable HID backend for link tests: devices come and go by hand, every written
// report is kept, and input reports are queued (or withheld) by the test.

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/link/hid_backend.h"

namespace qel::testing {

struct FakeDevice {
  HidDeviceInfo info;
  std::vector<std::vector<std::uint8_t>> written;  // every output report, as written
  std::deque<std::vector<std::uint8_t>> queued;    // input reports waiting to be read
  std::deque<std::vector<std::uint8_t>> answers;   // each write queues the next of these
  // Called on each write; may queue an answer. Default: queue nothing.
  std::function<void(FakeDevice&, const std::vector<std::uint8_t>&)> onWrite;
  bool openable = true;
  std::string openError;  // what the backend says when it cannot be opened
  bool refuseWrites = false;
  bool failReads = false;
  int opens = 0;
  std::vector<int> readTimeouts;  // the time limit of each read
};

inline HidDeviceInfo MakeInfo(std::string path, std::uint16_t vid, std::uint16_t pid, int in = 65,
                              int out = 65, std::string mfr = "KORVAL",
                              std::string product = "QEL11") {
  HidDeviceInfo info;
  info.path = std::move(path);
  info.vendorId = vid;
  info.productId = pid;
  info.inputReportByteLength = in;
  info.outputReportByteLength = out;
  info.manufacturer = std::move(mfr);
  info.product = std::move(product);
  return info;
}

// Input report: report ID 0, then the text, zero-filled to `length` bytes.
inline std::vector<std::uint8_t> Report(const std::string& text, std::size_t length = 65) {
  std::vector<std::uint8_t> report(std::max(length, text.size() + 1), 0);
  std::copy(text.begin(), text.end(), report.begin() + 1);
  report.resize(length);
  return report;
}

class FakeBackend : public HidBackend {
 public:
  std::vector<std::shared_ptr<FakeDevice>> present;  // in enumeration order

  std::shared_ptr<FakeDevice> Add(HidDeviceInfo info) {
    auto device = std::make_shared<FakeDevice>();
    device->info = std::move(info);
    present.push_back(device);
    return device;
  }
  void Remove(const std::string& path) {
    std::erase_if(present, [&path](const auto& d) { return d->info.path == path; });
  }
  // Each written line is answered with `reply` (64 text bytes at most, as the meter).
  static void AnswerAlways(FakeDevice& device, std::string reply) {
    device.onWrite = [reply](FakeDevice& d, const std::vector<std::uint8_t>&) {
      d.queued.push_back(Report(reply, d.info.inputReportByteLength));
    };
  }

  std::vector<HidDeviceInfo> Enumerate() override {
    std::vector<HidDeviceInfo> infos;
    for (const auto& device : present) infos.push_back(device->info);
    return infos;
  }

  std::unique_ptr<HidConnection> Open(const HidDeviceInfo& info) override;
  std::string LastOpenError() const override { return lastOpenError; }
  std::string lastOpenError;
};

class FakeConnection : public HidConnection {
 public:
  explicit FakeConnection(std::shared_ptr<FakeDevice> device) : device_(std::move(device)) {}
  bool Write(const std::uint8_t* data, std::size_t length) override {
    if (device_->refuseWrites) return false;
    std::vector<std::uint8_t> report(data, data + length);
    device_->written.push_back(report);
    if (device_->onWrite) device_->onWrite(*device_, report);
    if (!device_->answers.empty()) {
      device_->queued.push_back(std::move(device_->answers.front()));
      device_->answers.pop_front();
    }
    return true;
  }
  ReadStatus Read(std::uint8_t* buffer, std::size_t capacity, int timeoutMs,
                  std::size_t& delivered) override {
    device_->readTimeouts.push_back(timeoutMs);
    delivered = 0;
    if (device_->failReads) return ReadStatus::Failed;
    if (device_->queued.empty()) return ReadStatus::Timeout;
    auto report = std::move(device_->queued.front());
    device_->queued.pop_front();
    delivered = std::min(capacity, report.size());
    std::copy_n(report.begin(), delivered, buffer);
    return ReadStatus::Report;
  }

 private:
  std::shared_ptr<FakeDevice> device_;
};

inline std::unique_ptr<HidConnection> FakeBackend::Open(const HidDeviceInfo& info) {
  for (const auto& device : present) {
    if (device->info.path == info.path) {
      ++device->opens;
      lastOpenError = device->openable ? "" : device->openError;
      if (!device->openable) return nullptr;
      return std::make_unique<FakeConnection>(device);
    }
  }
  return nullptr;
}

}  // namespace qel::testing
