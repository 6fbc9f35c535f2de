// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/report_stream_protocol.h"

#include <charconv>
#include <cstdio>
#include <sstream>

namespace qel::report_stream {

std::vector<std::uint8_t> EncodeFrame(const std::uint8_t* data, std::size_t length) {
  if (length > kMaxFrame) length = kMaxFrame;
  std::vector<std::uint8_t> frame;
  frame.reserve(length + 2);
  frame.push_back(static_cast<std::uint8_t>(length >> 8));
  frame.push_back(static_cast<std::uint8_t>(length & 0xFF));
  frame.insert(frame.end(), data, data + length);
  return frame;
}

std::vector<std::uint8_t> EncodeFrame(const std::string& payload) {
  return EncodeFrame(reinterpret_cast<const std::uint8_t*>(payload.data()), payload.size());
}

void FrameReader::Feed(const std::uint8_t* data, std::size_t length) {
  buffer_.insert(buffer_.end(), data, data + length);
}

std::optional<std::vector<std::uint8_t>> FrameReader::Next() {
  if (buffer_.size() < 2) return std::nullopt;
  const std::size_t n = (std::size_t{buffer_[0]} << 8) | buffer_[1];
  if (buffer_.size() < n + 2) return std::nullopt;
  const auto end = buffer_.begin() + 2 + static_cast<std::ptrdiff_t>(n);  // n < 65536
  std::vector<std::uint8_t> frame(buffer_.begin() + 2, end);
  buffer_.erase(buffer_.begin(), end);
  return frame;
}

std::string FormatHello(const HidDeviceInfo& device) {
  char ids[32];
  std::snprintf(ids, sizeof ids, "VID=%04X\nPID=%04X\n", device.vendorId, device.productId);
  std::ostringstream out;
  out << ids << "IN=" << device.inputReportByteLength << "\n"
      << "OUT=" << device.outputReportByteLength << "\n";
  if (!device.manufacturer.empty()) out << "MFR=" << device.manufacturer << "\n";
  if (!device.product.empty()) out << "PRODUCT=" << device.product << "\n";
  if (!device.serial.empty()) out << "SERIAL=" << device.serial << "\n";
  return out.str();
}

namespace {

bool ParseNumber(const std::string& text, int base, int maxValue, int& out) {
  if (text.empty()) return false;
  int value = 0;
  const auto* first = text.data();
  const auto* last = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(first, last, value, base);
  if (ec != std::errc() || ptr != last || value < 0 || value > maxValue) return false;
  out = value;
  return true;
}

}  // namespace

std::optional<HidDeviceInfo> ParseHello(const std::string& text) {
  HidDeviceInfo info;
  bool vid = false;
  bool pid = false;
  bool in = false;
  bool out = false;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = line.substr(0, eq);
    const std::string value = line.substr(eq + 1);
    int number = 0;
    if (key == "VID") {
      if (value.size() != 4 || !ParseNumber(value, 16, 0xFFFF, number)) return std::nullopt;
      info.vendorId = static_cast<std::uint16_t>(number);
      vid = true;
    } else if (key == "PID") {
      if (value.size() != 4 || !ParseNumber(value, 16, 0xFFFF, number)) return std::nullopt;
      info.productId = static_cast<std::uint16_t>(number);
      pid = true;
    } else if (key == "IN") {
      if (!ParseNumber(value, 10, static_cast<int>(kMaxFrame), number) || number < 1)
        return std::nullopt;
      info.inputReportByteLength = number;
      in = true;
    } else if (key == "OUT") {
      if (!ParseNumber(value, 10, static_cast<int>(kMaxFrame), number) || number < 1)
        return std::nullopt;
      info.outputReportByteLength = number;
      out = true;
    } else if (key == "MFR") {
      info.manufacturer = value;
    } else if (key == "PRODUCT") {
      info.product = value;
    } else if (key == "SERIAL") {
      info.serial = value;
    }
  }
  if (!(vid && pid && in && out)) return std::nullopt;
  return info;
}

}  // namespace qel::report_stream
