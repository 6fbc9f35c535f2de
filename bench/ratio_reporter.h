// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs the registered benchmarks and prints, after the usual table, the ratio of each
// benchmark's time per iteration to that of a named baseline in the same run.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace qel::bench {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred)
        times_[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  // (measured, baseline) benchmark names
  void PrintRatios(const std::vector<std::pair<std::string, std::string>>& pairs) const {
    std::printf("\n%-46s %12s %12s %12s %8s\n", "measured / baseline", "time", "baseline", "added",
                "ratio");
    for (const auto& [measured, baseline] : pairs) {
      const auto m = times_.find(measured);
      const auto b = times_.find(baseline);
      if (m == times_.end() || b == times_.end() || b->second <= 0) continue;
      std::printf("%-46s %12.3f %12.3f %12.3f %8.3f\n", (measured + " / " + baseline).c_str(),
                  m->second, b->second, m->second - b->second, m->second / b->second);
    }
  }

 private:
  std::map<std::string, double> times_;
};

inline int RunWithRatios(int argc, char** argv,
                         const std::vector<std::pair<std::string, std::string>>& pairs) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios(pairs);
  benchmark::Shutdown();
  return 0;
}

}  // namespace qel::bench
