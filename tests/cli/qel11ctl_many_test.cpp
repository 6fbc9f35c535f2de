// SPDX-License-Identifier: GPL-3.0-or-later
// qel11ctl on several instruments at once: each on its own link at the same time, lines
// prefixed with the device, one JSON object per instrument, files per serial number, and
// the worst exit status.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <sstream>

#include "cli_test_support.h"
#include "sim_peer.h"

namespace qel::testing {
namespace {

std::vector<std::string> SortedLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  std::sort(lines.begin(), lines.end());
  return lines;
}

// Each instrument holds its answer back until the other one has its line too: run one
// after the other, the first would wait past the time limit and the command would fail.
TEST(Qel11ctlMany, InstrumentsRunAtTheSameTime) {
  std::mutex mutex;
  std::condition_variable arrived;
  int lines = 0;
  const auto waitForBoth = [&](const std::string& reply) {
    return [&, reply](const std::string&) {
      std::unique_lock lock(mutex);
      ++lines;
      arrived.notify_all();
      arrived.wait_for(lock, std::chrono::seconds(3), [&] { return lines >= 2; });
      return ReportStreamPeer::Answer{reply};
    };
  };
  ReportStreamPeer a(QelHello(), waitForBoth("A"));
  ReportStreamPeer b(QelHello(), waitForBoth("B"));
  const auto r =
      Ctl({"--device", a.Device(), "--device", b.Device(), "--timeout", "1500", "scpi", "*IDN?"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(SortedLines(r.out),
            SortedLines(a.Device() + "\t*IDN? -> A\n" + b.Device() + "\t*IDN? -> B\n"));
}

// A silent instrument costs its own time limit and fails; the other's result stays, on
// stdout and in the JSON document, which lists the instruments in the order given.
TEST(Qel11ctlMany, ASilentInstrumentHidesNothingOfTheOther) {
  ReportStreamPeer good(QelHello(),
                        [](const std::string&) { return ReportStreamPeer::Answer{"ID"}; });
  ReportStreamPeer silent(QelHello(), [](const std::string&) {
    ReportStreamPeer::Answer answer;
    answer.silent = true;
    return answer;
  });
  const std::vector<std::string> base = {"--device",    silent.Device(), "--device",
                                         good.Device(), "--timeout",     "300"};
  auto args = base;
  args.insert(args.end(), {"scpi", "*IDN?"});
  auto r = Ctl(args);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(SortedLines(r.out),
            SortedLines(silent.Device() + "\t*IDN?\n" + good.Device() + "\t*IDN? -> ID\n"));
  EXPECT_EQ(r.err, silent.Device() + "\tqel11ctl: no answer to *IDN?\n");

  args = base;
  args.insert(args.end(), {"--json", "scpi", "*IDN?"});
  r = Ctl(args);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "[\n  {\"device\": \"" + silent.Device() +
                       "\", \"exit\": 1, \"result\": [\n"
                       "    {\"line\": \"*IDN?\", \"reply\": null}\n  ]},\n"
                       "  {\"device\": \"" +
                       good.Device() +
                       "\", \"exit\": 0, \"result\": [\n"
                       "    {\"line\": \"*IDN?\", \"reply\": \"ID\"}\n  ]}\n]\n");
}

TEST(Qel11ctlMany, ADeviceNamedTwiceRunsOnce) {
  SimPeer sim;
  const std::string port = std::to_string(sim.peer.Port());
  // the host name without letter case
  const auto r = Ctl(
      {"--device", "tcp:localhost:" + port, "--device", "tcp:LocalHost:" + port, "scpi", "MODE?"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "tcp:localhost:" + port + "\tMODE? -> DC\n");
  EXPECT_EQ(sim.Lines(), std::vector<std::string>{"MODE?"});
  EXPECT_EQ(sim.peer.Connections(), 1);
}

TEST(Qel11ctlMany, AllWithoutAnInstrumentExits1) {
  auto r = Ctl({"--device", "all", "info"});
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "qel11ctl: no instrument found\n");
  r = Ctl({"--device", "all", "--json", "info"});
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_EQ(r.out, "[]\n") << r.err;
}

// Files get the serial number before the suffix; path characters in it become "_", and
// two meters with one serial number do not overwrite each other's file.
TEST(Qel11ctlMany, FilesAreNamedPerSerialNumber) {
  struct Row {
    std::string serialA, serialB;
    std::vector<std::string> files;
  };
  const std::vector<Row> rows = {{"1001", "1002", {"bench_1001.QEL", "bench_1002.QEL"}},
                                 {"A/7", "A/7", {"bench_A_7.QEL", "bench_A_7_2.QEL"}}};
  for (const Row& row : rows) {
    ScratchFolder dir;
    SimPeer a;
    SimPeer b;
    a.replaced = {{"SN:UNIT?", row.serialA}};
    b.replaced = {{"SN:UNIT?", row.serialB}};
    const auto r = Ctl({"--device", a.peer.Device(), "--device", b.peer.Device(), "read", "-o",
                        dir.File("bench.QEL")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("bench.QEL")));
    for (const std::string& name : row.files) {
      EXPECT_EQ(ReadFileText(dir.File(name)).rfind("[Info]\r\n", 0), 0u) << name;
    }
    EXPECT_EQ(a.Lines().back(), "SN:UNIT?");  // asked once the file is due
  }
}

}  // namespace
}  // namespace qel::testing
