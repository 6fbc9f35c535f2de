// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The report-stream protocol: HID reports carried over a byte stream (TCP), so that a
// virtual instrument in another process looks exactly like a HID device.
//
// Frame layout:
//   @0  length 2  N, big-endian
//   @2  length N  payload
// The instrument sends a hello frame first: ASCII lines KEY=VALUE\n with VID and PID
// (4 hex digits), IN and OUT (decimal report byte lengths with the report-ID byte), and
// optionally MFR, PRODUCT, SERIAL. Unknown keys are ignored. After that each frame from
// the tool is one output report of exactly OUT bytes, and each frame from the instrument
// one input report of 1..IN bytes (report ID first).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/link/hid_backend.h"

namespace qel::report_stream {

inline constexpr std::size_t kMaxFrame = 0xFFFF;

// Length prefix plus payload. Payloads longer than kMaxFrame are cut.
std::vector<std::uint8_t> EncodeFrame(const std::uint8_t* data, std::size_t length);
std::vector<std::uint8_t> EncodeFrame(const std::string& payload);

// Collects stream bytes and hands out whole frames.
class FrameReader {
 public:
  void Feed(const std::uint8_t* data, std::size_t length);
  // The next whole frame, if one has arrived.
  std::optional<std::vector<std::uint8_t>> Next();
  bool HasPartial() const { return !buffer_.empty(); }

 private:
  std::vector<std::uint8_t> buffer_;
};

// Hello frame text for a device (path is not sent).
std::string FormatHello(const HidDeviceInfo& device);
// Parses a hello frame; nullopt when VID, PID, IN or OUT is missing or malformed.
std::optional<HidDeviceInfo> ParseHello(const std::string& text);

}  // namespace qel::report_stream
