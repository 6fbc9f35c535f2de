// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// qel11-sim --uhid: the virtual instrument as a HID device through /dev/uhid until SIGINT
// or SIGTERM, which destroy the device (an unplug).

#include <iosfwd>
#include <string>

#include "sim/sim_options.h"
#include "sim/uhid_server.h"

namespace qel::sim {

// Prints "uhid device created" (and "uhid device destroyed" when it unplugs itself) to
// `out`, errors to `err`. Returns the program's exit status: 0 after a signal, 1 when
// the device could not be made or the uhid descriptor failed, 2 when the state file
// cannot be read.
int RunUhidInstrument(const SimOptions& options, const UhidServerOptions& uhidOptions,
                      const std::string& node, std::ostream& out, std::ostream& err);

}  // namespace qel::sim
