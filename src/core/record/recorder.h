// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The recorder of live readings, shared by `qel11ctl monitor` and the trend window: it
// writes the header and one row per read (recording_csv.h) into a sink, and keeps the
// times at which rows are due.

#include <chrono>
#include <cstdint>

#include "core/pages/live_reading.h"
#include "core/record/record_sink.h"
#include "core/record/record_time.h"
#include "core/record/recording_csv.h"

namespace qel {

// One read of the live readings and when it began.
struct TimedReading {
  LiveReading reading;
  WallTime wall;
  MonotonicTime at;
};

// Reads now, with both clocks taken just before the first line goes out.
TimedReading ReadTimed(ScpiSession& session, const RecordClock& clock);
// Reads now, stamped with times already taken (the first row of a recording carries the
// moment the header calls "started").
TimedReading ReadStamped(ScpiSession& session, const WallTime& wall, MonotonicTime at);

class Recorder {
 public:
  explicit Recorder(RecordSink& sink) : sink_(sink) {}

  // Writes the header. Rows' elapsed_s count from `origin`, the moment header.started
  // was taken. False when the sink refused: the recording has failed.
  bool Start(const RecordingHeader& header, MonotonicTime origin);
  // Writes one row; false when the sink refused (then and ever after).
  bool AddRow(const TimedReading& read);

  bool Failed() const { return failed_; }
  std::uint64_t Rows() const { return rows_; }
  std::uint64_t RowsWithoutAnswer() const { return noAnswer_; }
  std::uint64_t RowsWithBadReply() const { return badReply_; }

 private:
  RecordSink& sink_;
  MonotonicTime origin_{};
  bool failed_ = false;
  std::uint64_t rows_ = 0;
  std::uint64_t noAnswer_ = 0;
  std::uint64_t badReply_ = 0;
};

// When the next row is due: every interval from the first read (0: back to back). A row
// that comes late does not make the next ones come in a burst; a read shortly before the
// due time (within a tolerance, for reads another window makes on its own beat) counts for
// it. After a read without answer the next one waits at least kRetryPause, so a missing
// instrument gives one "no answer" row a second, not thousands.
class RowSchedule {
 public:
  static constexpr std::chrono::milliseconds kRetryPause{1000};

  RowSchedule(std::chrono::milliseconds interval, MonotonicTime start)
      : interval_(interval), due_(start) {}

  bool Takes(MonotonicTime at, std::chrono::milliseconds tolerance = {}) const {
    return at + tolerance >= due_;
  }
  void Took(MonotonicTime at, bool answered, std::chrono::milliseconds tolerance = {});
  MonotonicTime NextDue() const { return due_; }
  std::chrono::milliseconds Interval() const { return interval_; }

 private:
  std::chrono::milliseconds interval_;
  MonotonicTime due_;
};

}  // namespace qel
