// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/sim_backend.h"

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <fstream>
#include <stdexcept>

#include "core/platform/atomic_file.h"
#include "core/platform/native_path.h"
#include "sim/faults.h"
#include "sim/protocol_log_replay.h"
#include "sim/state_file.h"

namespace qel::sim {

namespace {

// The traffic kept for tests and checks: the newest lines only, so a virtual instrument
// that runs for days (a long recording) does not grow without end. When the bound is
// passed the older half goes, which costs little per line.
template <class T>
void KeepNewest(std::vector<T>& records) {
  if (records.size() > SimBackend::kRecordedLinesKept) {
    records.erase(records.begin(), records.begin() + static_cast<std::ptrdiff_t>(
                                                         SimBackend::kRecordedLinesKept / 2));
  }
}
using Clock = std::chrono::steady_clock;
}  // namespace

// State shared by the backend and its connections.
class SimDevice {
 public:
  explicit SimDevice(const SimOptions& options)
      : options(options), instrument(options.seed), faults(options) {}

  struct Pending {
    std::vector<std::uint8_t> bytes;
    Clock::time_point due;
    bool cut = false;
  };

  bool SaveStateLocked(std::string& error) {
    if (options.stateFile.empty()) return true;
    return SaveStateFile(options.stateFile, instrument, error);
  }

  const SimOptions options;
  mutable std::mutex mutex;
  std::condition_variable changed;
  Instrument instrument;
  FaultPlan faults;
  std::deque<Pending> queue;
  std::vector<std::string> received;
  std::vector<AnswerRecord> answers;
  std::ofstream record;
  std::optional<ProtocolLogReplay> replay;
  bool plugged = true;
  unsigned generation = 0;  // bumped on Unplug/Plug and Open: older handles are dead
};

namespace {

class SimConnection : public HidConnection {
 public:
  SimConnection(std::shared_ptr<SimDevice> device, unsigned generation)
      : device_(std::move(device)), generation_(generation) {}

  bool Write(const std::uint8_t* data, std::size_t length) override {
    SimDevice& d = *device_;
    std::lock_guard<std::mutex> lock(d.mutex);
    if (!d.plugged || d.generation != generation_ || length < 1) return false;
    const auto* text = reinterpret_cast<const char*>(data + 1);
    std::string line(text, strnlen(text, length - 1));
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    d.received.push_back(line);
    if (d.record.is_open()) d.record << line << '\n' << std::flush;

    const LineFate fate = d.faults.Next();
    // The model handles every line, also one answered from a log, so its state follows
    // the traffic.
    std::string reply = d.instrument.HandleLine(line);
    bool answer = fate.answer;
    if (d.replay) {
      ProtocolLogReplay::Answer recorded = d.replay->Next(line);
      if (recorded.kind == ProtocolLogReplay::Kind::Reply) reply = std::move(recorded.reply);
      if (recorded.kind == ProtocolLogReplay::Kind::Silent) answer = false;
    }
    if (d.instrument.TakeStoredChange()) {
      std::string error;
      d.SaveStateLocked(error);  // a failed save leaves the previous file; retried at exit
    }
    AnswerRecord record{generation_, ++lines_, line, answer, fate.delayMs, {}};
    if (answer) {
      Clock::time_point due = Clock::now() + std::chrono::milliseconds(fate.delayMs);
      // Reports leave in order: a late one holds back those behind it.
      if (!d.queue.empty()) due = std::max(due, d.queue.back().due);
      record.report = d.faults.BuildInputReport(reply, fate.damage, d.options.inputReportLength,
                                                {generation_, lines_});
      d.queue.push_back({record.report, due, fate.cutFrame});
    }
    d.answers.push_back(std::move(record));
    KeepNewest(d.received);
    KeepNewest(d.answers);
    if (fate.unplugAfter) d.plugged = false;  // the queued answer can still be read
    d.changed.notify_all();
    return true;
  }

  ReadStatus Read(std::uint8_t* buffer, std::size_t capacity, int timeoutMs,
                  std::size_t& delivered) override {
    SimDevice& d = *device_;
    std::unique_lock<std::mutex> lock(d.mutex);
    const bool forever = timeoutMs < 0;
    const Clock::time_point deadline =
        Clock::now() + std::chrono::milliseconds(std::max(0, timeoutMs));
    for (;;) {
      if (d.generation != generation_) return ReadStatus::Failed;
      const Clock::time_point now = Clock::now();
      if (!d.queue.empty() && d.queue.front().due <= now) {
        SimDevice::Pending report = std::move(d.queue.front());
        d.queue.pop_front();
        delivered = std::min(capacity, report.bytes.size());
        std::memcpy(buffer, report.bytes.data(), delivered);
        return ReadStatus::Report;
      }
      if (d.queue.empty() && !d.plugged) return ReadStatus::Failed;
      if (!forever && now >= deadline) return ReadStatus::Timeout;
      Clock::time_point wakeUp = forever ? Clock::time_point::max() : deadline;
      if (!d.queue.empty()) wakeUp = std::min(wakeUp, d.queue.front().due);
      if (wakeUp == Clock::time_point::max()) {
        d.changed.wait(lock);
      } else {
        d.changed.wait_until(lock, wakeUp);
      }
    }
  }

 private:
  std::shared_ptr<SimDevice> device_;
  unsigned generation_;
  long lines_ = 0;
};

}  // namespace

SimBackend::SimBackend(const SimOptions& options) : device_(std::make_shared<SimDevice>(options)) {
  SimDevice& d = *device_;
  if (!options.stateFile.empty()) {
    std::string error;
    if (!LoadStateFile(options.stateFile, d.instrument, error)) throw std::runtime_error(error);
  }
  d.instrument.PowerUp();
  if (!options.replayFile.empty()) {
    std::string bytes;
    switch (ReadFileBytes(PathFromUtf8(options.replayFile), bytes)) {
      case FileReadStatus::kMissing:
        throw std::runtime_error(options.replayFile + ": no such file");
      case FileReadStatus::kFailed:
        throw std::runtime_error(options.replayFile + ": cannot be read");
      case FileReadStatus::kRead:
        break;
    }
    d.replay = ProtocolLogReplay::Parse(
        bytes, static_cast<std::size_t>(std::max(0, options.outputReportLength - 1)));
    if (!d.replay) {
      throw std::runtime_error(options.replayFile +
                               ": no protocol-log line in it (\"nn.ss.zzz SND : LINE\" or "
                               "\"nn.ss.zzz REC : REPLY\", as qel11ctl --log writes them)");
    }
  }
  if (!options.recordFile.empty()) {
    d.record.open(PathFromUtf8(options.recordFile), std::ios::app | std::ios::binary);
    if (!d.record) throw std::runtime_error(options.recordFile + ": cannot be opened");
  }
}

SimBackend::~SimBackend() {
  std::lock_guard<std::mutex> lock(device_->mutex);
  std::string error;
  device_->SaveStateLocked(error);
  device_->plugged = false;
  ++device_->generation;
  device_->changed.notify_all();
}

HidDeviceInfo SimBackend::DeviceInfo() const {
  HidDeviceInfo info;
  info.path = "sim";
  info.vendorId = kQelVendorId;
  info.productId = device_->options.productId;
  info.manufacturer = "KORVAL";
  info.product = "QEL11";
  info.inputReportByteLength = device_->options.inputReportLength;
  info.outputReportByteLength = device_->options.outputReportLength;
  return info;
}

const SimOptions& SimBackend::options() const {
  return device_->options;
}

std::vector<HidDeviceInfo> SimBackend::Enumerate() {
  std::lock_guard<std::mutex> lock(device_->mutex);
  if (!device_->plugged) return {};
  return {DeviceInfo()};
}

std::unique_ptr<HidConnection> SimBackend::Open(const HidDeviceInfo& device) {
  std::lock_guard<std::mutex> lock(device_->mutex);
  if (!device_->plugged || device.path != "sim") return nullptr;
  // A new handle starts with an empty input queue; an older handle is closed.
  ++device_->generation;
  device_->queue.clear();
  device_->changed.notify_all();
  return std::make_unique<SimConnection>(device_, device_->generation);
}

Instrument& SimBackend::instrument() {
  return device_->instrument;
}

std::mutex& SimBackend::Mutex() const {
  return device_->mutex;
}

std::vector<std::string> SimBackend::ReceivedLines() const {
  std::lock_guard<std::mutex> lock(device_->mutex);
  return device_->received;
}

void SimBackend::ClearReceived() {
  std::lock_guard<std::mutex> lock(device_->mutex);
  device_->received.clear();
}

std::vector<AnswerRecord> SimBackend::Answers() const {
  std::lock_guard<std::mutex> lock(device_->mutex);
  return device_->answers;
}

void SimBackend::Unplug() {
  std::lock_guard<std::mutex> lock(device_->mutex);
  device_->plugged = false;
  ++device_->generation;
  device_->queue.clear();
  device_->changed.notify_all();
}

void SimBackend::Plug() {
  std::lock_guard<std::mutex> lock(device_->mutex);
  if (device_->plugged) return;
  device_->plugged = true;
  ++device_->generation;
  device_->queue.clear();
  device_->changed.notify_all();
}

bool SimBackend::plugged() const {
  std::lock_guard<std::mutex> lock(device_->mutex);
  return device_->plugged;
}

std::optional<std::chrono::steady_clock::time_point> SimBackend::NextReportDue() const {
  std::lock_guard<std::mutex> lock(device_->mutex);
  if (device_->queue.empty()) return std::nullopt;
  return device_->queue.front().due;
}

bool SimBackend::NextReportIsCut() const {
  std::lock_guard<std::mutex> lock(device_->mutex);
  return !device_->queue.empty() && device_->queue.front().cut;
}

bool SimBackend::SaveState(std::string& error) {
  std::lock_guard<std::mutex> lock(device_->mutex);
  return device_->SaveStateLocked(error);
}

}  // namespace qel::sim
