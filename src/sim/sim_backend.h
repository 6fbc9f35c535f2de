// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The virtual instrument as a HID device, in-process ("--device sim"). One device, path
// "sim"; each output report is one line for the instrument, and each line gets exactly
// one input report (settings included) unless a fault option says otherwise.
//
// Output report as the tool writes it:
//   @0  length 1   report ID (ignored)
//   @1  ...        the line, ended by NUL or the end of the report; a trailing line feed
//                  (which the tool appends) is not part of the line
// Input reports: see faults.h.
//
// Threads: a connection may be written from one thread and read from another (the GUI
// reads while qel11-sim serves); the device state is guarded by one mutex. instrument()
// hands out the model without that lock, for tests that poke it between exchanges;
// WithInstrument() takes the lock.

#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "core/link/hid_backend.h"
#include "sim/instrument.h"
#include "sim/sim_options.h"

namespace qel::sim {

class SimDevice;

// What the instrument did with one received line.
struct AnswerRecord {
  unsigned connection = 0;           // which connection received it (the stamp's number)
  long connectionLine = 0;           // 1-based count on that connection
  std::string line;                  // without its line feed
  bool answered = false;             // an input report was queued for it
  int delayMs = 0;                   // how long the instrument took (latency and lateness)
  std::vector<std::uint8_t> report;  // that report, report ID first
};

class SimBackend : public qel::HidBackend {
 public:
  // Loads options.stateFile when it exists; throws std::runtime_error when it cannot be
  // read, so a damaged file is never overwritten with defaults.
  explicit SimBackend(const SimOptions& options = {});
  ~SimBackend() override;  // writes options.stateFile

  std::vector<HidDeviceInfo> Enumerate() override;
  std::unique_ptr<HidConnection> Open(const HidDeviceInfo& device) override;

  // The device as Enumerate lists it while plugged in.
  HidDeviceInfo DeviceInfo() const;
  const SimOptions& options() const;

  Instrument& instrument();
  template <class F>
  auto WithInstrument(F&& f) {
    std::lock_guard<std::mutex> lock(Mutex());
    return f(instrument());
  }

  // How many of the newest received lines (and their answers) are kept.
  static constexpr std::size_t kRecordedLinesKept = 10000;

  // Every line received, without its line feed, in order (the newest kRecordedLinesKept).
  std::vector<std::string> ReceivedLines() const;
  void ClearReceived();
  // Every received line with the report that answered it, in order (as many as above).
  std::vector<AnswerRecord> Answers() const;

  // Unplug: Enumerate lists nothing, open connections fail. Plug: listed again; old
  // connections stay dead (a re-plugged device is opened anew).
  void Unplug();
  void Plug();
  bool plugged() const;

  // When the next queued input report may be read; nullopt when none is queued.
  std::optional<std::chrono::steady_clock::time_point> NextReportDue() const;
  // Whether that report is to go out as a cut frame (report stream only).
  bool NextReportIsCut() const;

  // Writes options.stateFile now (nothing to do without one).
  bool SaveState(std::string& error);

 private:
  std::mutex& Mutex() const;
  std::shared_ptr<SimDevice> device_;
};

}  // namespace qel::sim
