// SPDX-License-Identifier: GPL-3.0-or-later
#include "process_runner.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

namespace qel::testing {

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         double killAfterSeconds) {
  ProcessResult result;
  int outPipe[2], errPipe[2];
  if (pipe(outPipe) != 0 || pipe(errPipe) != 0) return result;
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(outPipe[1], 1);
    dup2(errPipe[1], 2);
    close(outPipe[0]);
    close(errPipe[0]);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(outPipe[1]);
  close(errPipe[1]);
  pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
  int open = 2;
  bool killed = false;
  int status = 0;
  bool exited = false;
  double exitedAt = 0;
  while (open > 0) {
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!killed && elapsed > killAfterSeconds) {
      kill(pid, SIGKILL);
      killed = true;
    }
    if (!exited && waitpid(pid, &status, WNOHANG) == pid) {
      exited = true;
      exitedAt = elapsed;
    }
    // A process the program left behind (Wine's own services, when a Wine program was
    // the first to start them) may hold the pipes open; what the program wrote has long
    // arrived two seconds after it ended.
    if (exited && elapsed - exitedAt > 2) break;
    if (poll(fds, 2, 100) <= 0) continue;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
      char buffer[4096];
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n <= 0) {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      } else {
        (i == 0 ? result.out : result.err).append(buffer, static_cast<std::size_t>(n));
      }
    }
  }
  for (const pollfd& p : fds) {
    if (p.fd >= 0) close(p.fd);
  }
  if (!exited) waitpid(pid, &status, 0);
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  result.exitCode = (!killed && WIFEXITED(status)) ? WEXITSTATUS(status) : -1;
  return result;
}

std::string Qel11ctlPath() {
  const char* chosen = std::getenv("QEL11CTL");
  return chosen != nullptr && *chosen != '\0' ? chosen : QEL11CTL_PATH;
}

std::string Qel11SimPath() {
  return QEL11_SIM_PATH;
}

}  // namespace qel::testing
