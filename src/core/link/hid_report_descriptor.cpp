// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/hid_report_descriptor.h"

#include <array>
#include <climits>
#include <map>
#include <vector>

namespace qel {

namespace {

// Short item, one prefix byte then 0, 1, 2 or 4 data bytes (little-endian):
//   bits 0-1  bSize  0, 1, 2, or 3 meaning 4
//   bits 2-3  bType  0 main, 1 global, 2 local
//   bits 4-7  bTag
// Long item: prefix 0xFE, bDataSize, bLongItemTag, then bDataSize data bytes.
constexpr std::uint8_t kLongItemPrefix = 0xFE;
constexpr unsigned kTypeMain = 0;
constexpr unsigned kTypeGlobal = 1;

constexpr unsigned kMainInput = 0x8;
constexpr unsigned kMainOutput = 0x9;
constexpr unsigned kMainFeature = 0xB;

constexpr unsigned kGlobalReportSize = 0x7;
constexpr unsigned kGlobalReportId = 0x8;
constexpr unsigned kGlobalReportCount = 0x9;
constexpr unsigned kGlobalPush = 0xA;
constexpr unsigned kGlobalPop = 0xB;

enum Kind { kInput = 0, kOutput = 1, kFeature = 2, kKinds = 3 };

// The part of the global state that decides report sizes; Push and Pop save and restore
// it as a whole.
struct Globals {
  std::uint32_t reportSize = 0;
  std::uint32_t reportCount = 0;
  std::uint32_t reportId = 0;  // 0 until a Report ID item: the device has a single report
};

struct ReportTotals {
  std::array<std::uint64_t, kKinds> bits{};
  std::array<bool, kKinds> present{};
};

std::uint64_t SaturatingAdd(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t sum = a + b;
  return sum < a ? UINT64_MAX : sum;
}

// Bytes of a report of `bits` bits, plus the report-ID byte, as an int.
int ByteLength(std::uint64_t bits) {
  const std::uint64_t bytes = bits / 8 + (bits % 8 != 0 ? 1 : 0);
  return bytes >= static_cast<std::uint64_t>(INT_MAX) ? INT_MAX : static_cast<int>(bytes) + 1;
}

}  // namespace

ReportLengths ComputeReportLengths(const std::uint8_t* descriptor, std::size_t length) {
  ReportLengths result;
  if (descriptor == nullptr) return result;

  Globals globals;
  std::vector<Globals> stack;
  std::map<std::uint32_t, ReportTotals> reports;

  std::size_t pos = 0;
  while (pos < length) {
    const std::uint8_t prefix = descriptor[pos];
    if (prefix == kLongItemPrefix) {
      if (length - pos < 3) break;
      // Only skipped, never read: a long item cut short just ends the walk.
      pos += 3 + std::size_t{descriptor[pos + 1]};
      continue;
    }
    const std::size_t dataSize = (prefix & 0x3) == 3 ? 4 : (prefix & 0x3);
    if (length - pos - 1 < dataSize) break;  // truncated item: stop before its data
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < dataSize; ++i) {
      value |= static_cast<std::uint32_t>(descriptor[pos + 1 + i]) << (8 * i);
    }
    const unsigned type = (prefix >> 2) & 0x3;
    const unsigned tag = prefix >> 4;
    pos += 1 + dataSize;

    if (type == kTypeGlobal) {
      switch (tag) {
        case kGlobalReportSize:
          globals.reportSize = value;
          break;
        case kGlobalReportCount:
          globals.reportCount = value;
          break;
        case kGlobalReportId:
          globals.reportId = value;
          result.usesReportIds = true;
          break;
        case kGlobalPush:
          stack.push_back(globals);
          break;
        case kGlobalPop:
          // A Pop without a Push is malformed; keep the current state.
          if (!stack.empty()) {
            globals = stack.back();
            stack.pop_back();
          }
          break;
        default:
          break;
      }
    } else if (type == kTypeMain) {
      Kind kind = kKinds;
      if (tag == kMainInput) kind = kInput;
      if (tag == kMainOutput) kind = kOutput;
      if (tag == kMainFeature) kind = kFeature;
      if (kind == kKinds) continue;  // Collection, End Collection, reserved
      ReportTotals& totals = reports[globals.reportId];
      const std::uint64_t bits = std::uint64_t{globals.reportSize} * globals.reportCount;
      totals.bits[kind] = SaturatingAdd(totals.bits[kind], bits);
      totals.present[kind] = true;
    }
    // Local items (usages, designators, strings, delimiters) do not change sizes.
  }

  std::array<int, kKinds> longest{};
  for (const auto& [id, totals] : reports) {
    for (int kind = 0; kind < kKinds; ++kind) {
      if (!totals.present[kind]) continue;
      const int bytes = ByteLength(totals.bits[kind]);
      if (bytes > longest[kind]) longest[kind] = bytes;
    }
  }
  result.input = longest[kInput];
  result.output = longest[kOutput];
  result.feature = longest[kFeature];
  return result;
}

}  // namespace qel
