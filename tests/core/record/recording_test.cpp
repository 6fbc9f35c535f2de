// SPDX-License-Identifier: GPL-3.0-or-later
// The recording's text: one row per read for the replies of a read, the header from the
// identity queries, the times, and when rows are due.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "../diag/scripted_instrument.h"
#include "core/record/recorder.h"

namespace qel {
namespace {

using testing::ScriptedInstrument;
using namespace std::chrono_literals;

constexpr const char* kFast = ":peak:fast:read?;read:min?;max?";
constexpr const char* kSlow = ":peak:slow:read?;read:min?;max?";

TEST(RecordingRow, RepliesOfOneRead) {
  struct Row {
    std::map<std::string, std::string> replies;
    std::set<std::string> silent;
    std::string row;  // after time and elapsed_s
    std::size_t lines;
  };
  const std::vector<Row> rows = {
      {{{"mode?", "PEAK"},
        {":read:dc?", "1.0"},
        {":rang?;unit?", "1;GAUS"},
        {kFast, "0.5;-0.2;0.7"},
        {kSlow, "0.4;-0.1;0.3"}},
       {},
       "PEAK,1,G,1.0,,-0.2,0.7,0.5,-0.1,0.3,0.4,ok",
       5},
      {{{"mode?", "DC"}, {":read:dc?", "1.2345E-02"}, {":rang?;unit?", "0;TESL"}},
       {},
       "DC,0,T,1.2345E-02,,,,,,,,ok",
       3},
      {{{"mode?", "ac"}, {":read:dc?", " -3500 "}, {":rang?;unit?", "3;apm"}, {":read:ac?", "7"}},
       {},
       "AC,3,A/m,-3500,7,,,,,,,ok",
       4},
      {{{"mode?", "DC"}, {":read:dc?", "9.9E37"}, {":rang?;unit?", "2;OE"}},
       {},
       "DC,2,Oe,OVLD,,,,,,,,ok",
       3},
      // fast peak: one field short, so none of its values can be trusted
      {{{"mode?", "PEAK"},
        {":read:dc?", "1"},
        {":rang?;unit?", "1;GAUS"},
        {kFast, "0.5;-0.2"},
        {kSlow, "0.4;-0.1;x"}},
       {},
       "PEAK,1,G,1,,,,,-0.1,,0.4,bad reply",
       5},
      {{{"mode?", "DC"}, {":read:dc?", "abc"}, {":rang?;unit?", "0;TESL"}},
       {},
       "DC,0,T,,,,,,,,,bad reply",
       3},
      {{{"mode?", "XX"}, {":read:dc?", "0.0031"}, {":rang?;unit?", "3;TESL"}},
       {},
       ",3,T,0.0031,,,,,,,,bad reply",
       3},
      {{{"mode?", "DC"}, {":read:dc?", "1"}, {":rang?;unit?", "2"}},
       {},
       "DC,,,,,,,,,,,bad reply",
       3},
      {{{"mode?", ""}, {":read:dc?", "1"}, {":rang?;unit?", "1;TESL"}},
       {},
       ",1,T,1,,,,,,,,bad reply",
       3},
      {{{"mode?", "DC"}, {":rang?;unit?", "1;TESL"}}, {":read:dc?"}, ",,,,,,,,,,,no answer", 3},
  };
  for (const Row& row : rows) {
    ScriptedInstrument meter;
    for (const auto& [line, reply] : row.replies) meter.Reply(line, reply);
    for (const std::string& line : row.silent) meter.Silence(line);
    const LiveReading reading = ReadLiveReading(meter.session);
    EXPECT_EQ(meter.sent.size(), row.lines) << row.row;
    const std::string text = FormatRecordingRow(reading, WallTime{1796717702125, 60}, 1234567890ns);
    EXPECT_EQ(text, "2026-12-08T09:15:02.125+01:00,1.234," + row.row + "\n");
  }
}

TEST(RecordingTime, Iso8601WithOffset) {
  const std::vector<std::pair<WallTime, std::string>> rows = {
      {{0, 0}, "1970-01-01T00:00:00.000+00:00"},
      {{1796717702125, 60}, "2026-12-08T09:15:02.125+01:00"},
      {{1796717702125, -300}, "2026-12-08T03:15:02.125-05:00"},
      {{1796717702999, 330}, "2026-12-08T13:45:02.999+05:30"},
      {{1709251199500, 120}, "2024-03-01T01:59:59.500+02:00"},  // across midnight, leap year
      {{1709164800000, -60}, "2024-02-28T23:00:00.000-01:00"},
  };
  for (const auto& [time, text] : rows) EXPECT_EQ(FormatIsoTime(time), text);
  EXPECT_EQ(FormatElapsedSeconds(0ns), "0.000");
  EXPECT_EQ(FormatElapsedSeconds(86400999999999ns), "86400.999");
  EXPECT_EQ(FormatElapsedSeconds(-5ms), "0.000");
}

TEST(RecordingHeader, FromTheIdentityQueries) {
  ScriptedInstrument meter;
  meter.Reply("*IDN?", "KORVAL,QEL11,11230042,1.07");
  meter.Reply("SN:UNIT?", "11230042");
  meter.Reply("SN:SW?", "1.07\r\n");
  meter.Reply("Probe:NAME?", "\"HS-T1 Sonde     2026-01-15 K\xF6ln\"");
  meter.Reply("Probe:SN?", "\"P-0042\"");
  meter.Silence("Probe:SNEP?");
  RecordingHeader header = ReadRecordingHeader(meter.session);
  EXPECT_EQ(meter.sent,
            (std::vector<std::string>{"*IDN?", "*idnt?", "SN:UNIT?", "SN:HW?", "SN:SW?", "SN:CALI?",
                                      "Probe:NAME?", "Probe:TYPE?", "Probe:SN?", "Probe:SNEP?"}));
  header.program = "qel11ctl";
  header.version = "0.1.0";
  header.computer = "bench-7";
  header.started = {1796717702125, 60};
  EXPECT_EQ(FormatRecordingHeader(header),
            "# instrument: KORVAL,QEL11,11230042,1.07\n"
            "# serial: 11230042  firmware: 1.07\n"
            "# probe: HS-T1 Sonde, serial P-0042 / , calibration 2026-01-15 K\xC3\xB6ln\n"
            "# recorded by: qel11ctl 0.1.0 on bench-7\n"
            "# started: 2026-12-08T09:15:02.125+01:00\n"
            "time,elapsed_s,mode,range,unit,dc,ac,fast_min,fast_max,fast_abs,slow_min,"
            "slow_max,slow_abs,status\n");
}

// A sink that takes `room` bytes and then refuses.
struct ShortSink : RecordSink {
  explicit ShortSink(std::size_t room) : room(room) {}
  bool Write(std::string_view bytes) override {
    if (bytes.size() > room) return false;
    room -= bytes.size();
    text += bytes;
    return true;
  }
  std::size_t room;
  std::string text;
};

TEST(Recorder, StopsAtTheFirstRefusedWriteAndCounts) {
  ScriptedInstrument meter;
  meter.Reply("mode?", "DC");
  meter.Reply(":read:dc?", "1");
  meter.Reply(":rang?;unit?", "0;TESL");
  ShortSink sink(400);
  Recorder recorder(sink);
  const MonotonicTime origin{};
  ASSERT_TRUE(recorder.Start(RecordingHeader{}, origin));
  TimedReading read{ReadLiveReading(meter.session), {1796717702125, 60}, origin + 1500ms};
  EXPECT_TRUE(recorder.AddRow(read));
  meter.SilenceAll();
  read.reading = ReadLiveReading(meter.session);
  EXPECT_TRUE(recorder.AddRow(read));
  EXPECT_FALSE(recorder.AddRow(read));  // no room left
  EXPECT_TRUE(recorder.Failed());
  EXPECT_FALSE(recorder.AddRow(read));
  EXPECT_EQ(recorder.Rows(), 2u);
  EXPECT_EQ(recorder.RowsWithoutAnswer(), 1u);
  const std::string rows =
      "status\n"
      "2026-12-08T09:15:02.125+01:00,1.500,DC,0,T,1,,,,,,,,ok\n"
      "2026-12-08T09:15:02.125+01:00,1.500,,,,,,,,,,,,no answer\n";
  EXPECT_EQ(sink.text.substr(sink.text.size() - rows.size()), rows);
}

TEST(RecordFile, DiskFullIsARefusedWrite) {
  RecordFile file;
  if (!file.Open("/dev/full")) GTEST_SKIP() << "no /dev/full";
  EXPECT_FALSE(file.Write("# instrument: x\n"));
  EXPECT_FALSE(RecordFile().Open("/nonexistent-folder/x.csv"));
}

TEST(RowSchedule, DueTimes) {
  const MonotonicTime t0{};
  struct Step {
    std::chrono::milliseconds at;
    bool answered;
    std::chrono::milliseconds tolerance;
    bool taken;
  };
  struct Case {
    std::chrono::milliseconds interval;
    std::vector<Step> steps;
  };
  const std::vector<Case> cases = {
      // on the beat; a late read does not bring the next one forward in a burst
      {1000ms,
       {{0ms, true, 0ms, true},
        {999ms, true, 0ms, false},
        {1000ms, true, 0ms, true},
        {3500ms, true, 0ms, true},
        {3600ms, true, 0ms, false},
        {4500ms, true, 0ms, true}}},
      // reads of another beat count within the tolerance before the due time
      {1000ms,
       {{0ms, true, 250ms, true},
        {760ms, true, 250ms, true},
        {1510ms, true, 250ms, false},
        {1760ms, true, 250ms, true}}},
      // back to back, but a missing instrument is asked once a second
      {0ms,
       {{0ms, true, 0ms, true},
        {1ms, false, 0ms, true},
        {500ms, false, 0ms, false},
        {1001ms, true, 0ms, true},
        {1002ms, true, 0ms, true}}},
  };
  for (const Case& c : cases) {
    RowSchedule schedule(c.interval, t0);
    for (const Step& step : c.steps) {
      const bool taken = schedule.Takes(t0 + step.at, step.tolerance);
      EXPECT_EQ(taken, step.taken) << c.interval.count() << " at " << step.at.count();
      if (taken) schedule.Took(t0 + step.at, step.answered, step.tolerance);
    }
  }
}

}  // namespace
}  // namespace qel
