// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/record/record_time.h"

#include <cstdio>
#include <cstdlib>

namespace qel {
namespace {

// Days since 1970-01-01 of a proleptic Gregorian date, and back (H. Hinnant's algorithms):
// no time-zone call is needed to turn the local fields into a calendar date.
void CivilFromDays(std::int64_t days, int& year, int& month, int& day) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
  const unsigned yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const unsigned mp = (5 * dayOfYear + 2) / 153;
  day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0);
}

bool BrokenDown(std::time_t seconds, bool local, std::tm& out) {
#ifdef _WIN32
  return (local ? localtime_s(&out, &seconds) : gmtime_s(&out, &seconds)) == 0;
#else
  return (local ? localtime_r(&seconds, &out) : gmtime_r(&seconds, &out)) != nullptr;
#endif
}

}  // namespace

WallTime SystemRecordClock::WallNow() const {
  const auto now = std::chrono::system_clock::now();
  const std::int64_t ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
  const auto seconds = static_cast<std::time_t>(FloorDiv(ms, 1000));
  // The offset is the difference of the local and the UTC fields of the same second;
  // this works wherever localtime and gmtime do (tm_gmtoff is not everywhere).
  std::tm local{};
  std::tm utc{};
  int offset = 0;
  if (BrokenDown(seconds, true, local) && BrokenDown(seconds, false, utc)) {
    int days = local.tm_yday - utc.tm_yday;
    if (local.tm_year != utc.tm_year) days = local.tm_year > utc.tm_year ? 1 : -1;
    offset = days * 24 * 60 + (local.tm_hour - utc.tm_hour) * 60 + (local.tm_min - utc.tm_min);
  }
  return {ms, offset};
}

std::tm LocalFields(const WallTime& time) {
  const std::int64_t localMs = time.unixMs + std::int64_t{time.utcOffsetMinutes} * 60000;
  const std::int64_t days = FloorDiv(localMs, 86400000);
  const std::int64_t msOfDay = localMs - days * 86400000;
  std::tm t{};
  CivilFromDays(days, t.tm_year, t.tm_mon, t.tm_mday);
  t.tm_year -= 1900;
  t.tm_mon -= 1;
  t.tm_hour = static_cast<int>(msOfDay / 3600000);
  t.tm_min = static_cast<int>(msOfDay / 60000 % 60);
  t.tm_sec = static_cast<int>(msOfDay / 1000 % 60);
  return t;
}

std::string FormatIsoTime(const WallTime& time) {
  const std::tm t = LocalFields(time);
  const auto ms = static_cast<int>(time.unixMs - FloorDiv(time.unixMs, 1000) * 1000);
  const int offset = std::abs(time.utcOffsetMinutes);
  char text[96];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d%c%02d:%02d",
                t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, ms,
                time.utcOffsetMinutes < 0 ? '-' : '+', offset / 60, offset % 60);
  return text;
}

std::string FormatElapsedSeconds(std::chrono::nanoseconds elapsed) {
  const std::int64_t ms =
      elapsed.count() <= 0 ? 0
                           : std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
  char text[32];
  std::snprintf(text, sizeof text, "%lld.%03d", static_cast<long long>(ms / 1000),
                static_cast<int>(ms % 1000));
  return text;
}

}  // namespace qel
