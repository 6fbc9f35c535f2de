#include "core/record/recorder.h"

#include <algorithm>

namespace qel {

TimedReading ReadTimed(ScpiSession& session, const RecordClock& clock) {
  TimedReading read;
  read.wall = clock.WallNow();
  read.at = clock.MonotonicNow();
  read.reading = ReadLiveReading(session);
  return read;
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
