// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text of a recording of live readings: UTF-8 CSV (RFC 4180, "." as decimal
// separator, LF line ends) after five "#" lines that say which instrument and probe took
// the readings, by which program, from when:
//
//   # instrument: <reply to *IDN?>
//   # serial: <device serial>  firmware: <software version>
//   # probe: <name>, serial <sn1> / <sn2>, calibration <probe calibration info>
//   # recorded by: <program> <version> on <computer name>
//   # started: <ISO 8601 time with milliseconds and UTC offset>
//   time,elapsed_s,mode,range,unit,dc,ac,fast_min,fast_max,fast_abs,slow_min,slow_max,slow_abs,status
//
// One row per read. Values are the instrument's numbers in its unit as they came (not the
// readout's scaled text); a value above 1E20 is OVLD; values the mode does not read stay
// empty. No field can hold a comma, a quote or a line break (tokens and numbers only), so
// none is ever quoted.

#include <chrono>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "core/pages/live_reading.h"
#include "core/record/record_time.h"

namespace qel {

class ScpiSession;

inline constexpr std::string_view kRecordingColumns =
    "time,elapsed_s,mode,range,unit,dc,ac,fast_min,fast_max,fast_abs,slow_min,slow_max,"
    "slow_abs,status";
inline constexpr std::string_view kIdentityQuery = "*IDN?";

enum class RowStatus { Ok, NoAnswer, BadReply };
// "ok", "no answer", "bad reply"
std::string_view RowStatusText(RowStatus status);

// no answer: some line got no input report. bad reply: every line was answered, but the
// mode, range or unit is not one of its tokens, a reply has more or fewer fields than its
// line asks for, or a value is no number.
RowStatus StatusOf(const LiveReading& reading);

// The header's fields, Windows-1252 as the instrument sent them; empty where a query got
// no answer.
struct RecordingHeader {
  std::string instrument;        // *IDN?
  std::string serial;            // SN:UNIT?
  std::string firmware;          // SN:SW?
  std::string probeName;         // the device information page's "Bezeichnung"
  std::string probeSerial1;      // "Seriennummer 1"
  std::string probeSerial2;      // "Seriennummer 2"
  std::string probeCalibration;  // the probe's "Kalibrier Info"
  std::string program;           // e.g. "qel11ctl"
  std::string version;
  std::string computer;
  WallTime started;
};

// Asks *IDN? and then the nine queries of the device information page (the same code, so
// the same unquoting and cutting of the probe's texts). `program`, `version`, `computer`
// and `started` are left for the caller.
RecordingHeader ReadRecordingHeader(ScpiSession& session);

// The five "#" lines and the column line, UTF-8. Control characters in the instrument's
// texts become blanks (a line break would tear the header) and trailing blanks go.
std::string FormatRecordingHeader(const RecordingHeader& header);

// One row with its line feed. A row that got no answer has empty values (mode, range and
// unit included). A bad reply keeps the fields that fit: a token that is understood, from
// a reply with the right number of fields; a value only from such a reply, only when it is
// a number, and only when range and unit are known (its meaning depends on them).
std::string FormatRecordingRow(const LiveReading& reading, const WallTime& time,
                               std::chrono::nanoseconds elapsed);

// The number a row holds in a value's column: nullopt when the field is empty or OVLD
// (what a chart of the rows leaves out).
std::optional<double> RowValue(const LiveReading& reading, LiveValue value);

// The save dialog's proposed name: "QEL11_Messwerte_yyyymmdd_hhnn.csv".
std::string ProposedRecordingFileName(const std::tm& t);

}  // namespace qel
