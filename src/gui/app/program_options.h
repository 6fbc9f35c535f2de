// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window program's command line: `--` options choose the instrument and the read
// time limit; the first argument that is not an option decides the service mode.
//   qel11-config [--device DEV | --simulate] [--timeout MS] [SERVICECODE]

#include <optional>
#include <string>
#include <vector>

namespace qel::gui {

struct ProgramOptions {
  std::string device = "auto";
  int timeoutMs = 1000;
  std::string firstArgument;  // the first argument that is no option (empty: none)
  bool help = false;
  bool version = false;
};

// nullopt with a message in `error` on a malformed option.
std::optional<ProgramOptions> ParseProgramOptions(const std::vector<std::string>& args,
                                                  std::string& error);

inline constexpr const char* kServiceCode = "6083";

}  // namespace qel::gui
