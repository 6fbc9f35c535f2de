// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The seam between the link and the operating system's HID access. One implementation
// per transport: hidapi (real devices), report stream (tcp:HOST:PORT), in-process sim.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qel {

// What a scan learns about one HID device. Report lengths are counted as Windows counts
// them (HidP_GetCaps): the report-ID byte included, so the instrument's 64-byte reports
// give 65.
struct HidDeviceInfo {
  std::string path;  // how the backend opens it again; shown by `qel11ctl list`
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  std::string manufacturer;  // Windows-1252 bytes
  std::string product;       // Windows-1252 bytes
  std::string serial;        // Windows-1252 bytes, may be empty
  int inputReportByteLength = 0;
  int outputReportByteLength = 0;

  bool operator==(const HidDeviceInfo&) const = default;
};

// Outcome of one read of an input report.
enum class ReadStatus {
  Report,   // a report arrived
  Timeout,  // nothing arrived within the time limit
  Failed,   // the device is gone or the read was refused
};

// An opened device. Buffers hold the report ID in byte 0, as on Windows.
class HidConnection {
 public:
  virtual ~HidConnection() = default;
  HidConnection() = default;
  HidConnection(const HidConnection&) = delete;
  HidConnection& operator=(const HidConnection&) = delete;

  // Writes one output report of `length` bytes (report ID first). False when refused.
  virtual bool Write(const std::uint8_t* data, std::size_t length) = 0;

  // Reads one input report into `buffer` (report ID first, at most `capacity` bytes).
  // On Report, `delivered` is the number of bytes placed, report ID included.
  // timeoutMs < 0 waits without limit; 0 only looks whether a report is queued.
  virtual ReadStatus Read(std::uint8_t* buffer, std::size_t capacity, int timeoutMs,
                          std::size_t& delivered) = 0;
};

class HidBackend {
 public:
  virtual ~HidBackend() = default;
  HidBackend() = default;
  HidBackend(const HidBackend&) = delete;
  HidBackend& operator=(const HidBackend&) = delete;

  // All HID devices present now, in a stable order.
  virtual std::vector<HidDeviceInfo> Enumerate() = 0;

  // Opens a device for reading and writing; nullptr when it cannot be opened.
  virtual std::unique_ptr<HidConnection> Open(const HidDeviceInfo& device) = 0;

  // Why the last Open answered nullptr, for the user (path and cause); empty when unknown.
  virtual std::string LastOpenError() const { return {}; }

  // The read time limit (ms, negative: none). It also bounds connecting to a device where
  // that takes a wait of its own (the report stream's connect and hello).
  virtual void SetTimeLimitMs(int /*ms*/) {}
};

// The instrument's identity on USB.
inline constexpr std::uint16_t kQelVendorId = 0x04D8;
inline constexpr std::uint16_t kQelProductId = 0xFE78;
inline constexpr std::uint16_t kQelProductIdAlt = 0x003F;

// The instrument's report with its report-ID byte: 64 data bytes and the ID in front.
inline constexpr std::size_t kReportSize = 65;

// Whether these USB IDs are the instrument's: its vendor with either product ID. The one
// test the link, `qel11ctl list` and the choice of many instruments all apply.
constexpr bool IsInstrumentId(std::uint16_t vendor, std::uint16_t product) {
  return vendor == kQelVendorId && (product == kQelProductId || product == kQelProductIdAlt);
}

}  // namespace qel
