// SPDX-License-Identifier: GPL-3.0-or-later
// SCPI lines as the virtual instrument receives them, one per input line. Each line is
// parsed and then handled by the instrument. Properties:
//  - up to the first unit with a syntax error (where the instrument stops reading the
//    line), every unit has a header of non-empty words and trimmed arguments;
//  - whatever the lines did, the instrument's stored memories survive its state file:
//    formatted, parsed into a fresh instrument and formatted again, the text is the same.

#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "sim/instrument.h"
#include "sim/scpi_parser.h"
#include "sim/state_file.h"

namespace {

void CheckUnits(std::string_view line) {
  for (const qel::sim::ScpiUnit& unit : qel::sim::ParseScpiLine(line)) {
    FUZZ_CHECK(!unit.words.empty(), unit.text);
    FUZZ_CHECK(
        unit.arguments.empty() || (unit.arguments.front() != ' ' && unit.arguments.back() != ' '),
        unit.text);
    if (unit.syntaxError) break;
    for (const std::string& word : unit.words) FUZZ_CHECK(!word.empty(), unit.text);
    for (const std::string& argument : qel::sim::SplitArguments(unit.arguments)) {
      FUZZ_CHECK(argument.empty() || (argument.front() != ' ' && argument.back() != ' '),
                 unit.arguments);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  qel::sim::Instrument instrument(1);
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
    const std::string_view line = bytes.substr(start, end - start);
    CheckUnits(line);
    instrument.HandleLine(line);
    start = end + 1;
  }

  const std::string state = qel::sim::FormatStateFile(instrument);
  qel::sim::Instrument restored(2);
  std::string error;
  FUZZ_CHECK(qel::sim::ParseStateFile(state, restored, error), error + "\n" + state);
  FUZZ_CHECK(qel::sim::FormatStateFile(restored) == state, "state file round trip:\n" + state);
  return 0;
}
