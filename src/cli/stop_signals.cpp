// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/stop_signals.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <thread>

#ifndef _WIN32
#include <pthread.h>
#endif

namespace qel::cli {
namespace {

std::atomic<int> g_signals{0};

// A stop is noticed within this time while the command sleeps between reads.
constexpr std::chrono::milliseconds kSleepSlice{50};

#ifdef _WIN32
extern "C" void OnStopSignal(int signal) {
  if (g_signals.fetch_add(1) > 0) std::_Exit(128 + signal);
  std::signal(signal, OnStopSignal);
}
#endif

}  // namespace

void CatchStopSignals() {
#ifdef _WIN32
  std::signal(SIGINT, OnStopSignal);
  std::signal(SIGTERM, OnStopSignal);
#else
  // The signals are blocked in every thread and taken by one that waits for them: a read
  // that is waiting for the instrument is never cut short by a signal handler (EINTR), so
  // the last row is as whole as any other.
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
  std::thread([set] {
    for (;;) {
      int signal = 0;
      if (sigwait(&set, &signal) != 0) continue;
      if (g_signals.fetch_add(1) > 0) std::_Exit(128 + signal);
    }
  }).detach();
#endif
}

bool StopRequested() {
  return g_signals.load() > 0;
}

bool SleepUntilUnlessStopped(std::chrono::steady_clock::time_point until) {
  for (;;) {
    if (StopRequested()) return false;
    const auto now = std::chrono::steady_clock::now();
    if (now >= until) return true;
    std::this_thread::sleep_for(
        std::min<std::chrono::steady_clock::duration>(until - now, kSleepSlice));
  }
}

}  // namespace qel::cli
