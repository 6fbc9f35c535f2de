// SPDX-License-Identifier: GPL-3.0-or-later
// qel11ctl list and scpi against a report-stream peer on loopback: the exact reports on
// the wire, what is printed, and the exit status when the instrument fails.

#include <gtest/gtest.h>

#include <cstdint>
#include <regex>
#include <string>

#include "process_runner.h"
#include "report_stream_peer.h"

namespace qel::testing {
namespace {

ProcessResult Ctl(const std::vector<std::string>& args) {
  return RunProcess(Qel11ctlPath(), args);
}

std::vector<std::uint8_t> ExpectedFrame(const std::string& line, std::size_t length) {
  std::vector<std::uint8_t> frame(length, 0);
  for (std::size_t i = 0; i < line.size() && i + 1 < length; ++i) frame[i + 1] = line[i];
  return frame;
}

ReportStreamPeer::Answer Meter(const std::string& line) {
  if (line == "*IDN?") return {"KORVAL,QEL11,12345,2021-06-18"};
  if (line == "MODE?") return {"DC"};
  if (line == "TEMP?")
    return {
        "23\xB0"
        "C"};  // Windows-1252 degree sign
  return {""};
}

TEST(Qel11ctlScpi, SendsExactReportsAndPrintsTranscript) {
  for (int outLength : {65, 66}) {
    ReportStreamPeer peer(QelHello(outLength), Meter);
    const auto r = Ctl({"--device", peer.Device(), "scpi", "*IDN?", "MODE DC"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "*IDN? -> KORVAL,QEL11,12345,2021-06-18\nMODE DC\n");
    const auto frames = peer.Frames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0], ExpectedFrame("*IDN?\n", outLength));
    EXPECT_EQ(frames[1], ExpectedFrame("MODE DC\n", outLength));
  }
}

TEST(Qel11ctlScpi, LongLineIsCutToWhatTheReportHolds) {
  ReportStreamPeer peer(QelHello(65), Meter);
  const std::string line(70, 'A');
  const auto r = Ctl({"--device", peer.Device(), "scpi", line});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  ASSERT_EQ(peer.Frames().size(), 1u);
  EXPECT_EQ(peer.Frames()[0], ExpectedFrame(std::string(64, 'A'), 65));
}

TEST(Qel11ctlScpi, ConvertsBetweenUtf8AndWindows1252) {
  ReportStreamPeer peer(QelHello(), Meter);
  const auto r = Ctl({"--device", peer.Device(), "scpi", "TEMP?", "NAME \xC3\xA4"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "TEMP? -> 23\xC2\xB0"
            "C\nNAME \xC3\xA4\n");
  ASSERT_EQ(peer.Lines().size(), 2u);
  EXPECT_EQ(peer.Lines()[1], "NAME \xE4\n");
}

TEST(Qel11ctlScpi, LogGoesToStderrWithStamps) {
  ReportStreamPeer peer(QelHello(), Meter);
  const auto r = Ctl({"--device", peer.Device(), "--log", "scpi", "MODE?", "MODE AC"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "MODE? -> DC\nMODE AC\n");
  const std::regex expected(
      "\\d\\d\\.\\d\\d\\.\\d\\d\\d SND : MODE\\?\n"
      "\\d\\d\\.\\d\\d\\.\\d\\d\\d REC : DC\n"
      "\\d\\d\\.\\d\\d\\.\\d\\d\\d SND : MODE AC\n");
  EXPECT_TRUE(std::regex_match(r.err, expected)) << r.err;
}

TEST(Qel11ctlScpi, SilentInstrumentCostsOneTimeLimitAndExits1) {
  ReportStreamPeer peer(QelHello(), [](const std::string& line) {
    ReportStreamPeer::Answer a;
    a.silent = line != "*IDN?";
    a.text = "ID";
    return a;
  });
  const auto r = Ctl(
      {"--device", peer.Device(), "--timeout", "200", "scpi", "*IDN?", "MODE?", "UNIT?", "RANG?"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "*IDN? -> ID\nMODE?\nUNIT?\nRANG?\n");
  // after the first time-out the link holds off: the later lines are not even written
  EXPECT_EQ(peer.Lines(), (std::vector<std::string>{"*IDN?\n", "MODE?\n"}));
  EXPECT_NE(r.err.find("no answer to MODE?"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("no answer to RANG?"), std::string::npos) << r.err;
}

TEST(Qel11ctlScpi, DisconnectDuringCommandExits1) {
  ReportStreamPeer peer(QelHello(), [](const std::string& line) {
    ReportStreamPeer::Answer a;
    a.disconnect = line == "MODE?";
    a.text = "ok";
    return a;
  });
  const auto r = Ctl({"--device", peer.Device(), "scpi", "A?", "MODE?", "B?"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "A? -> ok\nMODE?\nB?\n");
}

TEST(Qel11ctlScpi, NoInstrumentExits1) {
  int port = 0;
  {
    ReportStreamPeer closed(QelHello(), Meter);
    port = closed.Port();
  }  // nobody listens there any more
  const auto r = Ctl({"--device", "tcp:127.0.0.1:" + std::to_string(port), "scpi", "*IDN?"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("no instrument found"), std::string::npos) << r.err;
}

TEST(Qel11ctlScpi, WrongIdsAreNotAnInstrument) {
  HidDeviceInfo hello = QelHello();
  hello.productId = 0x0001;
  ReportStreamPeer peer(hello, Meter);
  const auto r = Ctl({"--device", peer.Device(), "scpi", "*IDN?"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(peer.Frames().empty());
}

TEST(Qel11ctlList, ListsTheInstrumentWithEitherProductId) {
  const struct {
    std::uint16_t product;
    std::string shown;  // after the path; empty: not listed
  } rows[] = {
      {0xFE78, "\tDEV: KORVAL QEL11 Vendor:$04D8 Product:$FE78\n"},
      {0x003F, "\tDEV: KORVAL QEL11 Vendor:$04D8 Product:$003F\n"},
      {0x0001, ""},
  };
  for (const auto& row : rows) {
    HidDeviceInfo hello = QelHello();
    hello.productId = row.product;
    ReportStreamPeer peer(hello, Meter);
    const auto r = Ctl({"--device", peer.Device(), "list"});
    if (row.shown.empty()) {
      EXPECT_EQ(r.exitCode, 1);
      EXPECT_EQ(r.out, "");
      EXPECT_EQ(r.err, "qel11ctl: no instrument found\n");
    } else {
      EXPECT_EQ(r.exitCode, 0) << r.err;
      EXPECT_EQ(r.out, peer.Device() + row.shown);
    }
    EXPECT_TRUE(peer.Frames().empty());  // listing sends nothing
  }
}

TEST(Qel11ctlUsage, BadArgumentsExit2) {
  const std::vector<std::vector<std::string>> rows = {
      {},
      {"frobnicate"},
      {"scpi"},
      {"--device", "tcp:127.0.0.1:notaport", "scpi", "*IDN?"},
      {"--device", "tcp:nohostport", "list"},
      {"--timeout", "0", "list"},
      {"--timeout", "abc", "list"},
  };
  for (const auto& args : rows) {
    const auto r = Ctl(args);
    EXPECT_EQ(r.exitCode, 2) << (args.empty() ? "" : args[0]) << ": " << r.err;
    EXPECT_FALSE(r.err.empty());
  }
}

}  // namespace
}  // namespace qel::testing
