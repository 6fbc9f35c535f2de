// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Report lengths from a HID report descriptor, counted the way Windows counts them
// (HidP_GetCaps): the longest report of each kind, in whole bytes, plus one byte for the
// report ID. The ID byte is counted also when the device uses no report IDs, so the
// instrument's 64-byte reports give 65. hidapi has no call for this on Linux, so the
// hidraw backend reads the descriptor and measures it here.

#include <cstddef>
#include <cstdint>

namespace qel {

struct ReportLengths {
  int input = 0;               // 0: the device has no input report
  int output = 0;              // 0: no output report
  int feature = 0;             // 0: no feature report
  bool usesReportIds = false;  // a Report ID item was seen

  bool operator==(const ReportLengths&) const = default;
};

// Walks the short items of the descriptor (long items are skipped) and adds
// Report Size x Report Count bits to the current report ID's total for each Input,
// Output and Feature main item. Push and Pop keep the global state. A truncated or
// malformed descriptor is never read past its end; what was parsed up to there counts.
ReportLengths ComputeReportLengths(const std::uint8_t* descriptor, std::size_t length);

}  // namespace qel
