// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fault injection: what happens to the answer of each received line, and the input
// report that carries an answer.
//
// Input report as the instrument sends it (inputLength bytes, normally 65):
//   @0  length 1    report ID, 0
//   @1  length n    reply bytes, n <= inputLength - 1 (a longer reply is cut)
//   @1+n            zero fill up to inputLength (the reply's terminating NUL)
// A truncated report stops after half of the reply bytes, without fill; a garbage
// report carries 1..64 random non-NUL bytes in place of the reply.
//
// With stampReports, a full-length report whose reply leaves a NUL before them carries
// in its last 4 bytes (the tool cuts the reply at the NUL and never shows them):
//   @len-4  length 2  number of the connection that received the line, big-endian
//   @len-2  length 2  number of the line on that connection (1-based), big-endian

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "sim/sim_options.h"

namespace qel::sim {

// How many bytes of a cut frame's report go out (the frame announces them all).
inline constexpr std::size_t kCutFrameBytes = 4;

enum class ReplyDamage { None, Garbage, Truncated };

struct LineFate {
  long lineNumber = 0;  // 1-based count of received lines
  bool answer = true;   // false: no input report for this line
  int delayMs = 0;      // before the report may be read
  ReplyDamage damage = ReplyDamage::None;
  bool cutFrame = false;     // the report stream sends the report's frame cut short
  bool unplugAfter = false;  // the device goes away once this line is handled
};

struct ReportStamp {
  unsigned connection = 0;
  long line = 0;
};

class FaultPlan {
 public:
  explicit FaultPlan(const SimOptions& options);

  // Counts one received line and says what happens to its answer.
  LineFate Next();
  long linesSeen() const { return count_; }

  std::vector<std::uint8_t> BuildInputReport(const std::string& reply, ReplyDamage damage,
                                             int inputLength, const ReportStamp& stamp = {});

 private:
  int LateDelayMs();

  SimOptions options_;
  long count_ = 0;
  std::mt19937_64 rng_;
  std::mt19937_64 lateRng_;
};

}  // namespace qel::sim
