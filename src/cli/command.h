// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A qel11ctl command as the device runner sees it. Each group of commands adds its
// subcommands to the command line and one Command per subcommand to the list; main runs
// the one that was given, on one instrument or on several at the same time.

#include <functional>
#include <iosfwd>
#include <vector>

#include "cli/cli_context.h"

namespace CLI {
class App;
}

namespace qel::cli {

struct Command {
  CLI::App* app = nullptr;  // its subcommand: the one parsed is the one that runs
  // Runs once before any instrument is touched (loading the parameter file that every
  // instrument gets, for example); a status other than kExitOk ends the run with it.
  std::function<int(std::ostream& err)> prepare;
  // Runs on one instrument; with several, on each in a thread of its own, so it may share
  // only what it does not change.
  std::function<int(CliContext&)> run;
};
using Commands = std::vector<Command>;

// list, scpi
void AddLinkCommands(CLI::App& app, Commands& commands);
// read, write, diff, store, display
void AddPageCommands(CLI::App& app, Commands& commands);
// monitor
void AddMonitorCommand(CLI::App& app, Commands& commands);
// info, errors, hardcopy
void AddDiagCommands(CLI::App& app, Commands& commands);

}  // namespace qel::cli
