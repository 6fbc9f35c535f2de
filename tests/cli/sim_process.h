// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real qel11-sim executable in the background for one test: started with the given
// options, its port read from its "listening on tcp:127.0.0.1:PORT" line, stopped with
// SIGTERM at the end.

#include <string>
#include <vector>

namespace qel::testing {

class SimProcess {
 public:
  SimProcess(const std::string& program, const std::vector<std::string>& args);
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  bool Started() const { return port_ > 0; }
  std::string Device() const { return "tcp:127.0.0.1:" + std::to_string(port_); }
  // Stops it and returns its exit status (-1 when killed by a signal).
  int Stop();

 private:
  int pid_ = -1;
  int port_ = 0;
  int exitCode_ = -1;
};

}  // namespace qel::testing
