// SPDX-License-Identifier: GPL-3.0-or-later
// A soak check of the link against an instrument whose replies often come late: N queries
// over the report stream, a given share of the replies late by a random time up to a
// maximum, and every reply the link hands up matched with what the instrument answered
// to which line. After a query without answer it waits out the hold-off, so every query
// goes out. Prints the figures; exits 1 when any reply landed on a wrong line.
//
//   late_reply_soak [QUERIES [SESSIONS [TIMEOUT_MS [LATE_PERCENT [LATE_MAX_MS [SEED]]]]]]
//   defaults:        1000      4          300         10             4000        1
// The queries are shared out among SESSIONS links (each with its own instrument) that
// run at the same time.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <thread>

#include "fault_harness.h"

namespace {

struct Figures {
  long written = 0;
  long answered = 0;
  long late = 0;       // replies the instrument sent later than the time limit
  long misplaced = 0;  // replies the link handed to a wrong line
  std::string firstMisplaced;
};

Figures RunSession(long queries, int timeoutMs, int latePercent, int lateMaxMs,
                   std::uint64_t seed) {
  using namespace qel;
  sim::SimOptions options;
  options.seed = seed;
  options.stampReports = true;
  options.latePercent = latePercent;
  options.lateAnswerDelayMs = 0;
  options.lateAnswerDelayMaxMs = lateMaxMs;
  testing::ServedSim sim(options);
  testing::ToolSession tool(sim.Port(), timeoutMs);
  tool.link.ScanNow();
  Figures figures;
  if (!tool.link.Connected()) return figures;
  static const char* const kQueries[] = {"*IDN?", "MODE?", "UNIT?", "RANG?", ":read:dc?"};
  for (long i = 0; i < queries; ++i) {
    tool.session.ScpiQuery(kQueries[i % 5]);
    if (!tool.link.LastExchangeAnswered()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(HidLink::kHoldOffMs + 20));
    }
  }
  // Let the last late replies arrive, so the instrument's record is complete.
  std::this_thread::sleep_for(std::chrono::milliseconds(lateMaxMs));
  const auto answers = sim.Backend().Answers();
  for (const auto& answer : answers) {
    ++figures.written;
    if (answer.delayMs > timeoutMs) ++figures.late;
  }
  figures.answered = figures.written - static_cast<long>(tool.session.UnansweredLines());
  const auto misplaced = testing::MisplacedReplies(tool.linkLog.Lines(), answers);
  figures.misplaced = static_cast<long>(misplaced.size());
  if (!misplaced.empty()) figures.firstMisplaced = misplaced.front();
  return figures;
}

}  // namespace

int main(int argc, char** argv) {
  const auto arg = [&](int i, long fallback) { return argc > i ? std::atol(argv[i]) : fallback; };
  const long queries = arg(1, 1000);
  const long sessions = std::max(1L, arg(2, 4));
  const int timeoutMs = static_cast<int>(arg(3, 300));
  const int latePercent = static_cast<int>(arg(4, 10));
  const int lateMaxMs = static_cast<int>(arg(5, 4000));
  const auto seed = static_cast<std::uint64_t>(arg(6, 1));

  std::vector<std::future<Figures>> runs;
  for (long s = 0; s < sessions; ++s) {
    const long share = queries / sessions + (s < queries % sessions ? 1 : 0);
    runs.push_back(std::async(std::launch::async, RunSession, share, timeoutMs, latePercent,
                              lateMaxMs, seed + static_cast<std::uint64_t>(s)));
  }
  Figures total;
  for (auto& run : runs) {
    const Figures f = run.get();
    total.written += f.written;
    total.answered += f.answered;
    total.late += f.late;
    total.misplaced += f.misplaced;
    if (total.firstMisplaced.empty()) total.firstMisplaced = f.firstMisplaced;
  }
  std::printf(
      "%ld queries sent, %ld replies later than the %d ms time limit, %ld answered, "
      "%ld on a wrong line\n",
      total.written, total.late, timeoutMs, total.answered, total.misplaced);
  if (total.misplaced > 0) std::printf("first: %s\n", total.firstMisplaced.c_str());
  return total.misplaced == 0 ? 0 : 1;
}
