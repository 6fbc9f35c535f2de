// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim_process.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace qel::testing {

SimProcess::SimProcess(const std::string& program, const std::vector<std::string>& args) {
  int out[2];
  if (pipe(out) != 0) return;
  pid_ = fork();
  if (pid_ == 0) {
    dup2(out[1], 1);
    close(out[0]);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(out[1]);
  std::string text;
  const std::string marker = "listening on tcp:127.0.0.1:";
  for (int waited = 0; waited < 100 && text.find('\n') == std::string::npos; ++waited) {
    pollfd p{out[0], POLLIN, 0};
    if (poll(&p, 1, 100) <= 0) continue;
    char buffer[256];
    const ssize_t n = read(out[0], buffer, sizeof buffer);
    if (n <= 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  close(out[0]);
  const auto at = text.find(marker);
  if (at != std::string::npos) port_ = std::stoi(text.substr(at + marker.size()));
}

int SimProcess::Stop() {
  if (pid_ <= 0) return exitCode_;
  kill(pid_, SIGTERM);
  int status = 0;
  waitpid(pid_, &status, 0);
  pid_ = -1;
  exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return exitCode_;
}

SimProcess::~SimProcess() {
  Stop();
}

}  // namespace qel::testing
