// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/record/recorder.h"

#include <algorithm>

namespace qel {

TimedReading ReadTimed(ScpiSession& session, const RecordClock& clock) {
  const WallTime wall = clock.WallNow();
  return ReadStamped(session, wall, clock.MonotonicNow());
}

TimedReading ReadStamped(ScpiSession& session, const WallTime& wall, MonotonicTime at) {
  return {ReadLiveReading(session), wall, at};
}

bool Recorder::Start(const RecordingHeader& header, MonotonicTime origin) {
  origin_ = origin;
  failed_ = !sink_.Write(FormatRecordingHeader(header));
  return !failed_;
}

bool Recorder::AddRow(const TimedReading& read) {
  if (failed_) return false;
  if (!sink_.Write(FormatRecordingRow(read.reading, read.wall, read.at - origin_))) {
    failed_ = true;
    return false;
  }
  ++rows_;
  switch (StatusOf(read.reading)) {
    case RowStatus::NoAnswer:
      ++noAnswer_;
      break;
    case RowStatus::BadReply:
      ++badReply_;
      break;
    case RowStatus::Ok:
      break;
  }
  return true;
}

void RowSchedule::Took(MonotonicTime at, bool answered, std::chrono::milliseconds tolerance) {
  due_ = std::max(due_ + interval_, at + interval_ - tolerance);
  if (!answered) due_ = std::max(due_, at + kRetryPause);
}

}  // namespace qel
