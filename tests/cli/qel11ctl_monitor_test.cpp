// SPDX-License-Identifier: GPL-3.0-or-later
// qel11ctl monitor: the recording's exact text against a scripted peer, its form against
// qel11-sim, an instrument that goes away and comes back, a file that cannot be written,
// and the clean end on SIGINT.

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <regex>
#include <sstream>

#include "cli_test_support.h"
#include "report_stream_peer.h"
#include "sim_process.h"

namespace qel::testing {
namespace {

const std::regex kTime(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}[+-]\d\d:\d\d)");
const std::regex kRow(
    R"((\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}[+-]\d\d:\d\d),(\d+\.\d{3}),((?:[^,\n]*,){11})(ok|no answer|bad reply))");

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The recording with its times, version and computer name replaced by placeholders, after
// checking their form.
std::string Placeheld(const std::string& csv) {
  std::string out;
  for (std::string line : SplitLines(csv)) {
    std::smatch m;
    if (std::regex_match(line, m, kRow)) {
      line = "TIME,ELAPSED," + m[3].str() + m[4].str();
    } else if (line.rfind("# started: ", 0) == 0) {
      EXPECT_TRUE(std::regex_match(line.substr(11), kTime)) << line;
      line = "# started: TIME";
    } else if (line.rfind("# recorded by: qel11ctl ", 0) == 0) {
      line = "# recorded by: qel11ctl VERSION on COMPUTER";
    }
    out += line + "\n";
  }
  return out;
}

// Answers the lines of each read from a script, one entry per read ("mode?" starts one).
ReportStreamPeer::Answer Scripted(const std::string& line, int read) {
  static const std::map<std::string, std::string> kHeader = {
      {"*IDN?", "KORVAL,QEL11,11230042,1.07"},
      {"SN:UNIT?", "11230042"},
      {"SN:SW?", "SW 1.07"},
      {"Probe:NAME?",
       "\"Hall-Sonde Gr\xF6\xDF"
       "eKAL 03.2024\""},
      {"Probe:SN?", "\"P-0042\""},
      {"Probe:SNEP?", "2D00000B1C6E4A23"}};
  static const std::vector<std::map<std::string, std::string>> kReads = {
      {{"mode?", "PEAK"},
       {":read:dc?", "1.0"},
       {":rang?;unit?", "1;GAUS"},
       {":peak:fast:read?;read:min?;max?", "0.5;-0.2;0.7"},
       {":peak:slow:read?;read:min?;max?", "0.4;-0.1;0.3"}},
      {{"mode?", "DC"}, {":read:dc?", "9.9E37"}, {":rang?;unit?", "0;TESL"}},
      {{"mode?", "AC"}, {":read:dc?", "-3500"}, {":rang?;unit?", "3;APM"}, {":read:ac?", "12.5"}},
      {{"mode?", "DC"}, {":read:dc?", "1.2.3"}, {":rang?;unit?", "2;OE"}},
      {{"mode?", "DC"}, {":read:dc?", "1"}}};  // then silent
  if (read < 0) {
    const auto it = kHeader.find(line);
    return {it == kHeader.end() ? "" : it->second};
  }
  const auto& replies = kReads[std::min<std::size_t>(read, kReads.size() - 1)];
  const auto it = replies.find(line);
  if (it == replies.end()) return {"", true};
  return {it->second};
}

TEST(Qel11ctlMonitor, ScriptedPeerGivesTheExactRecording) {
  std::atomic<int> read{-1};
  ReportStreamPeer peer(QelHello(), [&read](const std::string& line) {
    if (line == "mode?") ++read;
    return Scripted(line, read);
  });
  ScratchFolder dir;
  const std::string file = dir.File("run 1.csv");
  const auto r = Ctl({"--device", peer.Device(), "--timeout", "200", "monitor", "--interval", "0",
                      "--count", "5", "-o", file});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "qel11ctl: 5 rows, 1 without answer, 1 with a bad reply\n");
  const std::string csv = ReadFileText(file);
  EXPECT_EQ(Placeheld(csv), ReadFileText(TestData("record/scripted_peer.csv")));
  EXPECT_EQ(csv.find('\r'), std::string::npos);
  // The first row starts the recording.
  const auto lines = SplitLines(csv);
  ASSERT_GE(lines.size(), 7u);
  EXPECT_EQ(lines[6].rfind(lines[4].substr(11) + ",0.000,", 0), 0u) << lines[4] << "\n" << lines[6];
  std::vector<std::string> sent = peer.Lines();
  ASSERT_GE(sent.size(), 13u);
  EXPECT_EQ(
      std::vector<std::string>(sent.begin(), sent.begin() + 13),
      (std::vector<std::string>{"*IDN?\n", "*idnt?\n", "SN:UNIT?\n", "SN:HW?\n", "SN:SW?\n",
                                "SN:CALI?\n", "Probe:NAME?\n", "Probe:TYPE?\n", "Probe:SN?\n",
                                "Probe:SNEP?\n", "mode?\n", ":read:dc?\n", ":rang?;unit?\n"}));
}

TEST(Qel11ctlMonitor, VirtualInstrumentInPeakModeToStdout) {
  SimProcess sim(kSimPath, {"--port", "0"});
  ASSERT_TRUE(sim.Started());
  ASSERT_EQ(Ctl({"--device", sim.Device(), "scpi", "MODE PEAK"}).exitCode, 0);
  const auto r = Ctl({"--device", sim.Device(), "monitor", "--interval", "50", "--count", "4"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  const auto lines = SplitLines(r.out);
  ASSERT_EQ(lines.size(), 10u) << r.out;
  EXPECT_EQ(lines[0], "# instrument: KORVAL,QEL11,11230042,1.07");
  EXPECT_EQ(lines[5],
            "time,elapsed_s,mode,range,unit,dc,ac,fast_min,fast_max,fast_abs,slow_min,slow_max,"
            "slow_abs,status");
  const std::regex peakRow(
      R"([^,]+,\d+\.\d{3},PEAK,[0-3],(T|G|Oe|A/m),[-+.\dE]+,,([-+.\dE]+,){6}ok)");
  double last = -1;
  for (std::size_t i = 6; i < lines.size(); ++i) {
    EXPECT_TRUE(std::regex_match(lines[i], peakRow)) << lines[i];
    const double elapsed = std::stod(lines[i].substr(30));
    EXPECT_GE(elapsed, last + 0.045) << lines[i];  // one interval apart
    last = elapsed;
  }
}

TEST(Qel11ctlMonitor, InstrumentGoneAndBackKeepsEveryRowWhole) {
  // The connection closes after the header and two reads (10 + 6 lines); qel11-sim then
  // takes the next one, as a replugged meter.
  SimProcess sim(kSimPath, {"--port", "0", "--disconnect-after", "16"});
  ASSERT_TRUE(sim.Started());
  const auto r = Ctl({"--device", sim.Device(), "--timeout", "300", "monitor", "--interval", "200",
                      "--duration", "6"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  std::string statuses;
  for (const std::string& line : SplitLines(r.out)) {
    if (line[0] == '#' || line[0] == 't') continue;
    std::smatch m;
    ASSERT_TRUE(std::regex_match(line, m, kRow)) << line;
    const char status = m[4].str()[0];
    if (statuses.empty() || statuses.back() != status) statuses += status;
    if (status == 'o') {
      EXPECT_TRUE(std::regex_search(line, std::regex(",DC,1,T,2\\.5\\d+E-02,"))) << line;
    }
  }
  EXPECT_EQ(statuses, "ono");  // ok, no answer while gone, ok again
}

TEST(Qel11ctlMonitor, FileThatCannotBeWritten) {
  struct Case {
    std::string file;
    bool created;
  };
  for (const Case& c : {Case{"/dev/full", true}, Case{"/nonexistent-folder/x.csv", false}}) {
    const auto r = Ctl({"--simulate", "monitor", "--count", "3", "-o", c.file});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "qel11ctl: In " + c.file + " kann nicht geschrieben werden\n");
  }
  const auto json = Ctl({"--simulate", "--json", "monitor", "--count", "1"});
  EXPECT_EQ(json.exitCode, 2);
  EXPECT_EQ(json.out, "null\n");
}

TEST(Qel11ctlMonitor, SigintEndsWithAWholeLastRow) {
  ScratchFolder dir;
  const std::string file = dir.File("x.csv");
  // SIGINT once rows are coming, however slowly the machine starts the program.
  const std::string script =
      std::string("\"$0\" --simulate monitor --interval 0 -o \"$1\" & p=$!; ") +
      "while [ $(cat \"$1\" 2>/dev/null | wc -l) -lt 60 ]; do sleep 0.05; done; " +
      "kill -INT $p; wait $p";
  const auto r = RunProcess("/bin/sh", {"-c", script, QEL11CTL_PATH, file});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  const std::string csv = ReadFileText(file);
  ASSERT_FALSE(csv.empty());
  EXPECT_EQ(csv.back(), '\n');
  const auto lines = SplitLines(csv);
  EXPECT_GT(lines.size(), 50u);
  EXPECT_TRUE(std::regex_match(lines.back(), kRow)) << lines.back();
}

}  // namespace
}  // namespace qel::testing
