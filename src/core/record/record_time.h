// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two clocks of a recording: the wall clock, written with milliseconds and the UTC
// offset in force at that moment, and a monotonic clock for the elapsed time, which a
// change of the system time or of daylight saving time does not disturb.

#include <chrono>
#include <cstdint>
#include <ctime>
#include <string>

namespace qel {

struct WallTime {
  std::int64_t unixMs = 0;   // milliseconds since 1970-01-01T00:00:00Z
  int utcOffsetMinutes = 0;  // local time minus UTC at that moment
};

using MonotonicTime = std::chrono::steady_clock::time_point;

class RecordClock {
 public:
  virtual ~RecordClock() = default;
  virtual WallTime WallNow() const = 0;
  virtual MonotonicTime MonotonicNow() const = 0;
};

// The system's clocks; the offset comes from the local time zone.
class SystemRecordClock : public RecordClock {
 public:
  WallTime WallNow() const override;
  MonotonicTime MonotonicNow() const override { return std::chrono::steady_clock::now(); }
};

// ISO 8601 local time with milliseconds and offset: "2026-12-08T09:15:02.125+01:00"
// ("+00:00" for UTC).
std::string FormatIsoTime(const WallTime& time);

// The local date and time of a wall-clock moment, broken down.
std::tm LocalFields(const WallTime& time);

// Seconds with three decimals ("12.345"); negative durations are written as 0.
std::string FormatElapsedSeconds(std::chrono::nanoseconds elapsed);

}  // namespace qel
