// SPDX-License-Identifier: GPL-3.0-or-later
// A HID report descriptor as a device hands it out. Properties: the walk never reads past
// the end (ASan), and the lengths only grow as the descriptor goes on: any prefix of it
// gives lengths no larger than the whole.

#include <cstdint>
#include <string>

#include "core/link/hid_report_descriptor.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const qel::ReportLengths whole = qel::ComputeReportLengths(data, size);
  FUZZ_CHECK(whole.input >= 0 && whole.output >= 0 && whole.feature >= 0, "negative length");
  for (const std::size_t cut : {size / 2, size == 0 ? 0 : size - 1}) {
    const qel::ReportLengths prefix = qel::ComputeReportLengths(data, cut);
    FUZZ_CHECK(prefix.input <= whole.input && prefix.output <= whole.output &&
                   prefix.feature <= whole.feature &&
                   (!prefix.usesReportIds || whole.usesReportIds),
               "a longer descriptor gave shorter reports, cut at " + std::to_string(cut));
  }
  return 0;
}
