// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs a program, collects its stdout and stderr and its exit status, and kills it when
// it runs past a generous limit (so a hanging tool fails the test instead of hanging it).

#include <string>
#include <vector>

namespace qel::testing {

struct ProcessResult {
  int exitCode = -1;  // -1: killed or did not start
  std::string out;
  std::string err;
  double seconds = 0;
};

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         double killAfterSeconds = 30);

// The qel11ctl under test: $QEL11CTL when set (a wrapper that runs the Windows build under
// Wine), else the one built beside these tests.
std::string Qel11ctlPath();
// The qel11-sim built beside these tests.
std::string Qel11SimPath();

}  // namespace qel::testing
