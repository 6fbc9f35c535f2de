#include "sim/faults.h"

#include <algorithm>

namespace qel::sim {

FaultPlan::FaultPlan(const SimOptions& options)
    : options_(options), rng_(options.seed * 0x9E3779B97F4A7C15ull + 1) {}

LineFate FaultPlan::Next() {
  LineFate fate;
  fate.lineNumber = ++count_;
  auto after = [this](long n) { return n >= 0 && count_ > n; };
  fate.answer = !after(options_.stopAnsweringAfter);
  fate.delayMs = std::max(0, options_.latencyMs);
  if (options_.lateAnswerLine > 0 && count_ == options_.lateAnswerLine) {
    fate.delayMs += std::max(0, options_.lateAnswerDelayMs);
  }
  if (after(options_.garbageAfter)) {
    fate.damage = ReplyDamage::Garbage;
  } else if (after(options_.truncateAfter)) {
    fate.damage = ReplyDamage::Truncated;
  }
  fate.unplugAfter = options_.disconnectAfter >= 0 && count_ == options_.disconnectAfter;
  return fate;
}

std::vector<std::uint8_t> FaultPlan::BuildInputReport(const std::string& reply, ReplyDamage damage,
                                                      int inputLength) {
  const std::size_t length = static_cast<std::size_t>(std::max(1, inputLength));
  std::vector<std::uint8_t> report(length, 0);
  const std::size_t room = length - 1;
  switch (damage) {
    case ReplyDamage::None:
      std::copy_n(reply.begin(), std::min(reply.size(), room), report.begin() + 1);
      break;
    case ReplyDamage::Garbage: {
      std::uniform_int_distribution<std::size_t> count(1, std::max<std::size_t>(1, room));
      std::uniform_int_distribution<int> byte(1, 255);
      const std::size_t n = std::min(count(rng_), room);
      for (std::size_t i = 0; i < n; ++i) report[1 + i] = static_cast<std::uint8_t>(byte(rng_));
      break;
    }
    case ReplyDamage::Truncated: {
      const std::size_t n = std::min(reply.size(), room) / 2;
      std::copy_n(reply.begin(), n, report.begin() + 1);
      report.resize(1 + n);
      break;
    }
  }
  return report;
}

}  // namespace qel::sim
