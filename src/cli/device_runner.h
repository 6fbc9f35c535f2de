// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs the command given on the instruments of --device.
//
// One instrument (no --device, or one that is not "all"): the command prints as it
// always did; --json prints its result alone.
//
// Several (--device more than once, or "all" for every instrument `list` shows): each
// instrument gets a link of its own (own connection, protocol log and time limits), and
// the command runs on all of them at the same time, each in a thread, so a slow or silent
// meter costs the others nothing. Every line the command prints, on stdout and stderr,
// starts with the instrument's device text (as given, or its `list` path) and a TAB;
// --json prints one array with an object {"device", "exit", "result"} per instrument, in
// the order given. A device named twice runs once. The exit status is the highest of the
// instruments'.

#include <iosfwd>

#include "cli/cli_context.h"
#include "cli/command.h"

namespace qel::cli {

int RunCommand(const GlobalOptions& options, const Command& command, std::ostream& out,
               std::ostream& err);

}  // namespace qel::cli
