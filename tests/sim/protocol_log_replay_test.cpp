// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/protocol_log_replay.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "core/link/hid_link.h"
#include "core/link/scpi_session.h"
#include "sim/sim_backend.h"

namespace qel::sim {
namespace {

const std::string kSupportCase = std::string(QEL_TEST_DATA_DIR) + "/sim/support_case.log";

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

using Kind = ProtocolLogReplay::Kind;

TEST(ProtocolLogReplay, AnswersInTheOrderRecorded) {
  auto replay = ProtocolLogReplay::Parse(ReadBytes(kSupportCase));
  ASSERT_TRUE(replay.has_value());
  EXPECT_EQ(replay->EntryCount(), 20u);
  const std::vector<std::pair<std::string, ProtocolLogReplay::Answer>> arrivals = {
      {"*IDN?", {Kind::Reply, "KORVAL,QEL11,CUSTOMER-7,1.07"}},
      {"MODE?", {Kind::Reply, "DC"}},
      {"MODE?", {Kind::Reply, "PEAK"}},
      {"MODE?", {Kind::Reply, "PEAK"}},  // after the last one recorded, that one again
      {"mode?", {Kind::FromModel, ""}},  // lines match exactly
      {"MODE AC", {Kind::FromModel, ""}},
      {"TEMP?",
       {Kind::Reply,
        "23\xB0"
        "C"}},                                         // UTF-8 in the log, Windows-1252 on the wire
      {"PROB:NAME?", {Kind::Reply, "\"M\xFCller\""}},  // Windows-1252 in the log stays
      {"syst:err?", {Kind::Reply, ""}},                // an empty reply is a reply
      {"UNIT?", {Kind::Silent, ""}},                   // sent, never answered
      {"RANG?", {Kind::Reply, "3"}},                   // CRLF line ends
      {"INTE:HC?", {Kind::FromModel, ""}},             // a raw header: the data is not logged
      {"UNIT GAUS", {Kind::FromModel, ""}},
  };
  for (const auto& [line, answer] : arrivals) EXPECT_EQ(replay->Next(line), answer) << line;
}

// The log keeps a line as sent; the instrument gets what its 64-byte report carries.
TEST(ProtocolLogReplay, ALongLineIsRecordedAsTheInstrumentReceivesIt) {
  const std::string line = std::string(66, 'A') + "?";
  auto replay = ProtocolLogReplay::Parse("00.00.000 SND : " + line + "\n00.00.001 REC : 1\n", 64);
  ASSERT_TRUE(replay.has_value());
  EXPECT_EQ(replay->Next(line.substr(0, 64)), (ProtocolLogReplay::Answer{Kind::Reply, "1"}));
}

TEST(ProtocolLogReplay, TextWithoutEntriesIsRefused) {
  for (const std::string text :
       {"", "\n\n", "qel11ctl: no instrument found\n", "12.07.315 XYZ : a\n", "1.07.315 SND : a\n",
        "12:07:315 SND : a\n", "12.07.315 SND :a\n", "12.07.31 SND : a\n"}) {
    EXPECT_FALSE(ProtocolLogReplay::Parse(text).has_value()) << text;
  }
  EXPECT_TRUE(ProtocolLogReplay::Parse("99.99.999 SND : ").has_value());
}

// The backend answers a recorded query from the log, stays silent where the log got no
// answer, and lets the model answer everything else.
TEST(ProtocolLogReplay, TheVirtualInstrumentAnswersFromTheLog) {
  SimOptions options;
  options.replayFile = kSupportCase;
  SimBackend backend(options);
  MemoryLog memo;
  HidLink link(backend, memo);
  link.SetReadTimeoutMs(100);
  link.ScanNow();
  ScpiSession session(link);
  EXPECT_EQ(session.ScpiQuery("*IDN?"), "KORVAL,QEL11,CUSTOMER-7,1.07");
  EXPECT_EQ(session.ScpiQuery("SN:HW?"), "HW 2.1");
  session.ScpiQuery("UNIT GAUS");
  EXPECT_EQ(session.ScpiQuery("UNIT?"), "");
  EXPECT_FALSE(link.LastExchangeAnswered());
  EXPECT_EQ(backend.instrument().HandleLine("UNIT?"), "GAUS");  // the model saw the setting

  for (const auto& [file, why] : std::vector<std::pair<std::string, std::string>>{
           {"/no/such.log", "/no/such.log: no such file"},
           {std::string(QEL_TEST_DATA_DIR) + "/sim", "/sim: cannot be read"},
           {std::string(QEL_TEST_DATA_DIR) + "/cli/changed.QEL", ": no protocol-log line in it"}}) {
    options.replayFile = file;
    try {
      SimBackend refused(options);
      ADD_FAILURE() << file;
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(why), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace qel::sim
