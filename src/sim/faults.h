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

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "sim/sim_options.h"

namespace qel::sim {

enum class ReplyDamage { None, Garbage, Truncated };

struct LineFate {
  long lineNumber = 0;  // 1-based count of received lines
  bool answer = true;   // false: no input report for this line
  int delayMs = 0;      // before the report may be read
  ReplyDamage damage = ReplyDamage::None;
  bool unplugAfter = false;  // the device goes away once this line is handled
};

class FaultPlan {
 public:
  explicit FaultPlan(const SimOptions& options);

  // Counts one received line and says what happens to its answer.
  LineFate Next();
  long linesSeen() const { return count_; }

  std::vector<std::uint8_t> BuildInputReport(const std::string& reply, ReplyDamage damage,
                                             int inputLength);

 private:
  SimOptions options_;
  long count_ = 0;
  std::mt19937_64 rng_;
};

}  // namespace qel::sim
