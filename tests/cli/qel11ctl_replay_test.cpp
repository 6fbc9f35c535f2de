// SPDX-License-Identifier: GPL-3.0-or-later
// A support case: a session recorded with qel11ctl --log against one meter, replayed by
// qel11-sim --replay, gives the same output for the same commands, byte for byte.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli_test_support.h"
#include "sim_peer.h"
#include "sim_process.h"

namespace qel::testing {
namespace {

// The tool's own messages on stderr, without the protocol log's entries.
std::string Messages(const std::string& err) {
  std::string messages;
  std::istringstream in(err);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("qel11ctl: ", 0) == 0) messages += line + '\n';
  }
  return messages;
}

TEST(Qel11ctlReplay, ARecordedSessionReplaysByteForByte) {
  const std::vector<std::vector<std::string>> commands = {
      {"scpi", "*IDN?", "MODE?", "MODE AC", "MODE?", "FOO", "syst:err?", "TEMP?"},
      {"info"},
      {"display"},
      {"errors"},
      {"diff", TestData("cli/changed.QEL")},
      {"--json", "scpi", "MODE?", "UNIT?"},
  };
  // The customer's meter: another reading model than qel11-sim's, its own identity, and
  // replies that do not fit their lines.
  SimPeer meter;
  meter.replaced = {{"*IDN?", "KORVAL,QEL11,CUSTOMER-7,1.07"},
                    {"TEMP?",
                     "23\xB0"
                     "C"},
                    {"Probe:NAME?",
                     "\"M\xFC"
                     "ller 10T        KAL 01.2025     \""},
                    {"DGIO:SET:OUT2:FUNC?", "IFXX"}};
  ScratchFolder dir;
  const std::string log = dir.File("support.log");
  std::vector<ProcessResult> recorded;
  for (const auto& command : commands) {
    std::vector<std::string> args = {"--device", meter.peer.Device(), "--log"};
    args.insert(args.end(), command.begin(), command.end());
    recorded.push_back(Ctl(args));
    std::ofstream(log, std::ios::app | std::ios::binary) << recorded.back().err;
  }
  EXPECT_EQ(recorded[0].out.rfind("*IDN? -> KORVAL,QEL11,CUSTOMER-7,1.07\n", 0), 0u);
  EXPECT_EQ(recorded[4].exitCode, 1);  // the reply that does not fit

  SimProcess replay(kSimPath, {"--port", "0", "--replay", log});
  ASSERT_TRUE(replay.Started());
  for (std::size_t i = 0; i < commands.size(); ++i) {
    std::vector<std::string> args = {"--device", replay.Device()};
    args.insert(args.end(), commands[i].begin(), commands[i].end());
    const auto r = Ctl(args);
    EXPECT_EQ(r.exitCode, recorded[i].exitCode) << commands[i][0];
    EXPECT_EQ(r.out, recorded[i].out) << commands[i][0];
    EXPECT_EQ(Messages(r.err), Messages(recorded[i].err)) << commands[i][0];
  }
}

TEST(Qel11ctlReplay, AFileWithoutLogLinesIsRefused) {
  const auto r = RunProcess(kSimPath, {"--port", "0", "--replay", TestData("cli/changed.QEL")});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "qel11-sim: " + TestData("cli/changed.QEL") +
                       ": no protocol-log line in it (\"nn.ss.zzz SND : LINE\" or \"nn.ss.zzz "
                       "REC : REPLY\", as qel11ctl --log writes them)\n");
}

}  // namespace
}  // namespace qel::testing
