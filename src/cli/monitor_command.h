// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// qel11ctl monitor: records live readings as CSV with the core recorder the trend window
// uses (the live readout's lines, one row per read, the identity header).

#include <cstdint>
#include <string>

#include "cli/cli_context.h"

namespace qel::cli {

struct MonitorSettings {
  int intervalMs = 1000;    // 0: back to back
  std::uint64_t count = 0;  // rows; 0: no limit
  double durationS = 0;     // seconds from the start; 0: no limit
  std::string output;       // the CSV file; empty or "-": stdout
};

// Records until `count` rows, `durationS` seconds, or SIGINT/SIGTERM: 0 then, also when
// rows got no answer (they are in the file, and counted on stderr); 1 when no instrument
// is there at the start; 2 when the file cannot be written (what was written stays,
// ending with a whole row).
int RunMonitor(CliContext& context, const MonitorSettings& settings);

}  // namespace qel::cli
