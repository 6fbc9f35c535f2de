// SPDX-License-Identifier: GPL-3.0-or-later
// The virtual instrument's state file (--state FILE). Properties:
//  - a file that parses, formatted again and parsed into a fresh instrument, formats to
//    the same text;
//  - a file that is refused leaves the instrument's stored memories as they were and
//    says why.

#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "sim/instrument.h"
#include "sim/state_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  qel::sim::Instrument instrument(1);
  const std::string before = qel::sim::FormatStateFile(instrument);
  std::string error;
  if (!qel::sim::ParseStateFile(text, instrument, error)) {
    FUZZ_CHECK(!error.empty(), "a refused state file gives no reason");
    FUZZ_CHECK(qel::sim::FormatStateFile(instrument) == before,
               "a refused state file changed the instrument: " + error);
    return 0;
  }
  const std::string formatted = qel::sim::FormatStateFile(instrument);
  qel::sim::Instrument restored(2);
  FUZZ_CHECK(qel::sim::ParseStateFile(formatted, restored, error), error + "\n" + formatted);
  FUZZ_CHECK(qel::sim::FormatStateFile(restored) == formatted,
             "state file round trip:\n" + formatted);
  return 0;
}
