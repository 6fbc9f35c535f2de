// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A HID device made by this program through Linux's /dev/uhid. The kernel shows it like a
// plugged-in USB device (a hidraw node, listed by hidapi) and passes what the host sends
// to it back to us as events. Every message on the descriptor is one `struct uhid_event`
// (type first): a read returns one event, a write hands one to the kernel.
//
// Only Linux has uhid; elsewhere every call fails with a message.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qel::sim {

struct UhidDeviceParams {
  std::string name;  // the kernel's device name; hidapi shows it as the product string
  std::string phys;  // physical location text
  std::string uniq;  // serial number as hidapi lists it
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  std::uint32_t version = 0;
  std::vector<std::uint8_t> reportDescriptor;
};

// A vendor-defined report descriptor with one input report of `inputBytes` and one output
// report of `outputBytes` and no report IDs, as the instrument has (64 and 64, or 64 and 65).
std::vector<std::uint8_t> VendorReportDescriptor(int inputBytes, int outputBytes);

struct UhidEvent {
  enum class Kind { Start, Stop, Open, Close, Output, GetReport, SetReport, Other };
  Kind kind = Kind::Other;
  std::vector<std::uint8_t> data;  // Output and SetReport: the bytes as the kernel passes them
  std::uint32_t requestId = 0;     // GetReport and SetReport: the request to answer
  std::uint8_t reportNumber = 0;   // GetReport and SetReport
};

// "start", "stop", "open", "close", "output", "get_report", "set_report", "other".
const char* UhidEventName(UhidEvent::Kind kind);

class UhidDevice {
 public:
  // Takes ownership of a descriptor that speaks the uhid protocol (tests hand one end of a
  // socket pair that plays the kernel).
  explicit UhidDevice(int fd);
  // Destroys the device if it exists (an unplug) and closes the descriptor.
  ~UhidDevice();
  UhidDevice(const UhidDevice&) = delete;
  UhidDevice& operator=(const UhidDevice&) = delete;

  // Opens the uhid node (normally /dev/uhid, which needs root or write permission).
  static std::unique_ptr<UhidDevice> OpenNode(const std::string& path, std::string& error);

  int fd() const { return fd_; }
  bool created() const { return created_; }

  // UHID_CREATE2: the device appears (its hidraw node follows a little later, once the
  // kernel has bound a driver to it).
  bool Create(const UhidDeviceParams& params, std::string& error);
  // UHID_DESTROY: the device disappears, as on an unplug. Create may be called again.
  bool Destroy();

  // Reads one event; false (with a message) when the descriptor failed or closed.
  bool ReadEvent(UhidEvent& out, std::string& error);

  // UHID_INPUT2: one input report, as the device would send it over USB (no report-ID byte
  // for a device without report IDs).
  bool SendInput(const std::uint8_t* data, std::size_t size);
  // Answers to UHID_GET_REPORT and UHID_SET_REPORT; err is an errno value, 0 for success.
  bool ReplyGetReport(std::uint32_t requestId, std::uint16_t err);
  bool ReplySetReport(std::uint32_t requestId, std::uint16_t err);

 private:
  bool WriteEvent(const void* event, std::size_t size);

  int fd_ = -1;
  bool created_ = false;
};

}  // namespace qel::sim
