// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/faults.h"

#include <algorithm>
#include <charconv>

namespace qel::sim {

std::optional<std::pair<long, long>> ParseNumberRange(const std::string& text, long minimum) {
  const auto number = [minimum](const char* begin, const char* end) -> std::optional<long> {
    long value = 0;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (begin == end || ec != std::errc() || ptr != end || value < minimum) return std::nullopt;
    return value;
  };
  const char* begin = text.data();
  const char* end = begin + text.size();
  const char* dash = std::find(begin, end, '-');
  const auto first = number(begin, dash);
  const auto last = dash == end ? first : number(dash + 1, end);
  if (!first || !last || *last < *first) return std::nullopt;
  return std::pair{*first, *last};
}

std::optional<LineRange> ParseLineRange(const std::string& text) {
  const auto range = ParseNumberRange(text, 1);
  if (!range) return std::nullopt;
  return LineRange{range->first, range->second};
}

FaultPlan::FaultPlan(const SimOptions& options)
    : options_(options),
      rng_(options.seed * 0x9E3779B97F4A7C15ull + 1),
      lateRng_(options.seed * 0xC2B2AE3D27D4EB4Full + 7) {}

int FaultPlan::LateDelayMs() {
  const int low = std::max(0, options_.lateAnswerDelayMs);
  const int high = std::max(low, options_.lateAnswerDelayMaxMs);
  return std::uniform_int_distribution<int>(low, high)(lateRng_);
}

LineFate FaultPlan::Next() {
  LineFate fate;
  fate.lineNumber = ++count_;
  auto after = [this](long n) { return n >= 0 && count_ > n; };
  fate.answer = !after(options_.stopAnsweringAfter) && !options_.silentLines.Contains(count_) &&
                count_ != options_.dropLine;
  fate.delayMs = std::max(0, options_.latencyMs);
  bool late = options_.lateAnswerLine > 0 && count_ == options_.lateAnswerLine;
  if (options_.latePercent > 0) {
    late = late || std::uniform_int_distribution<int>(0, 99)(lateRng_) < options_.latePercent;
  }
  if (late) fate.delayMs += LateDelayMs();
  if (after(options_.garbageAfter) || options_.garbageLines.Contains(count_)) {
    fate.damage = ReplyDamage::Garbage;
  } else if (after(options_.truncateAfter) || options_.truncateLines.Contains(count_)) {
    fate.damage = ReplyDamage::Truncated;
  }
  fate.cutFrame = count_ == options_.cutFrameLine;
  fate.unplugAfter = (options_.disconnectAfter >= 0 && count_ == options_.disconnectAfter) ||
                     count_ == options_.dropLine;
  return fate;
}

std::vector<std::uint8_t> FaultPlan::BuildInputReport(const std::string& reply, ReplyDamage damage,
                                                      int inputLength, const ReportStamp& stamp) {
  const std::size_t length = static_cast<std::size_t>(std::max(1, inputLength));
  std::vector<std::uint8_t> report(length, 0);
  const std::size_t room = length - 1;
  std::size_t used = 0;
  switch (damage) {
    case ReplyDamage::None:
      used = std::min(reply.size(), room);
      std::copy_n(reply.begin(), used, report.begin() + 1);
      break;
    case ReplyDamage::Garbage: {
      std::uniform_int_distribution<std::size_t> count(1, std::max<std::size_t>(1, room));
      std::uniform_int_distribution<int> byte(1, 255);
      used = std::min(count(rng_), room);
      for (std::size_t i = 0; i < used; ++i) report[1 + i] = static_cast<std::uint8_t>(byte(rng_));
      break;
    }
    case ReplyDamage::Truncated: {
      const std::size_t n = std::min(reply.size(), room) / 2;
      std::copy_n(reply.begin(), n, report.begin() + 1);
      report.resize(1 + n);
      return report;
    }
  }
  // The stamp sits behind the reply's NUL, so it never changes the reply text; a garbage
  // report is cut to make room for it.
  if (options_.stampReports && length >= 6) {
    if (damage == ReplyDamage::Garbage) used = std::min(used, room - 5);
    if (used + 1 + 4 <= room) {
      std::fill(report.begin() + 1 + static_cast<std::ptrdiff_t>(used), report.end(), 0);
      report[length - 4] = static_cast<std::uint8_t>(stamp.connection >> 8);
      report[length - 3] = static_cast<std::uint8_t>(stamp.connection);
      report[length - 2] = static_cast<std::uint8_t>(stamp.line >> 8);
      report[length - 1] = static_cast<std::uint8_t>(stamp.line);
    }
  }
  return report;
}

}  // namespace qel::sim
