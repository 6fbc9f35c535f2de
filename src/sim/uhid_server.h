// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Serves a SimBackend as a real HID device through /dev/uhid (qel11-sim --uhid), so the
// unmodified tool finds it with hidapi like a plugged-in instrument.
//
// Each UHID_OUTPUT event is one output report from the host. The kernel passes it on as
// hidraw got it from the writer: report-ID byte first, also for a device without report
// IDs. A USB device never sees that byte, so it is dropped; the rest, up to its first NUL,
// is one line for the instrument. Each answer the instrument queues goes back as one
// UHID_INPUT2 report without an ID byte:
//   output event  @0 length 1  report ID 0 (dropped)   @1 length OUT-1  line, zero fill
//   input report  @0 length IN-1  reply, zero fill
// GET_REPORT and SET_REPORT requests (the instrument has no feature reports) are refused
// with EIO at once, so no caller waits for them.
//
// When the instrument unplugs itself (--disconnect-after), the device is destroyed after
// its last answer has gone out and the host could read it: when the host writes its next
// report (which is lost, as on a pulled cable), or after kUnplugGraceMs. Destroying it at
// once would race the host's read: hidapi reports a vanished device as a failed read even
// when its last report is still queued. It is created again after the re-plug delay.

#include <chrono>
#include <cstdint>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "core/link/hid_backend.h"
#include "sim/uhid_device.h"

namespace qel::sim {

class SimBackend;

inline constexpr int kUnplugGraceMs = 1000;

struct UhidServerOptions {
  // Appends one line per event of the device: "create", "destroy", the kernel's events
  // by UhidEventName ("open", "close", ...) and "output N" with the report's length as a
  // USB device receives it (without the report-ID byte).
  std::string eventLog;
  int replugDelayMs = 1000;
};

// The device's identity: the backend's vendor and product ID and report lengths.
UhidDeviceParams InstrumentDeviceParams(const HidDeviceInfo& info);

class UhidServer {
 public:
  UhidServer(SimBackend& backend, UhidServerOptions options);
  ~UhidServer();
  UhidServer(const UhidServer&) = delete;
  UhidServer& operator=(const UhidServer&) = delete;

  // Creates the instrument on the given uhid descriptor (from UhidDevice::OpenNode).
  bool Start(std::unique_ptr<UhidDevice> device, std::string& error);

  // Serves until Stop() or until the uhid descriptor fails (then false, with a message).
  bool Run(std::string& error);
  // Ends Run() soon; safe from another thread and from a signal handler.
  void Stop();

  // Told "uhid device created" and "uhid device destroyed" as the device comes and goes.
  std::function<void(const std::string&)> OnNotice;

 private:
  bool HandleEvent(std::string& error);
  void SendQueuedReports();
  bool CreateDevice(std::string& error);
  void DestroyDevice();
  void Gone();  // the instrument unplugged itself
  int PollTimeoutMs() const;
  void LogEvent(const std::string& text);

  SimBackend& backend_;
  UhidServerOptions options_;
  std::ofstream eventLog_;
  std::unique_ptr<UhidDevice> device_;
  std::unique_ptr<HidConnection> connection_;
  bool deviceGone_ = false;
  std::chrono::steady_clock::time_point unplugAt_{};
  std::chrono::steady_clock::time_point replugAt_{};
  int wakeRead_ = -1;
  int wakeWrite_ = -1;
};

}  // namespace qel::sim
