// SPDX-License-Identifier: GPL-3.0-or-later
// qel11ctl against the real qel11-sim over loopback gives the same answers as against the
// built-in virtual instrument: both are the same model, and the same seed gives the same
// readings for the same traffic.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "process_runner.h"
#include "sim_process.h"

namespace qel::testing {
namespace {

const std::string kSimPath = Qel11SimPath();

ProcessResult Ctl(const std::vector<std::string>& args) {
  return RunProcess(Qel11ctlPath(), args);
}

TEST(Qel11ctlAgainstSim, SameAnswersInProcessAndOverTcp) {
  const std::vector<std::vector<std::string>> commands = {
      {"scpi", ":rang?;unit?", "MODE?", "syst:err?", "*IDN?", ":read:dc?", "FOO", "syst:err?"},
      {"display"},
      {"store"},
  };
  for (const auto& command : commands) {
    SimProcess sim(kSimPath, {"--port", "0", "--seed", "1"});
    ASSERT_TRUE(sim.Started());
    std::vector<std::string> overTcp = {"--device", sim.Device()};
    std::vector<std::string> inProcess = {"--device", "sim"};
    overTcp.insert(overTcp.end(), command.begin(), command.end());
    inProcess.insert(inProcess.end(), command.begin(), command.end());
    const auto a = Ctl(overTcp);
    const auto b = Ctl(inProcess);
    EXPECT_EQ(a.exitCode, 0) << a.err;
    EXPECT_EQ(b.exitCode, 0) << b.err;
    EXPECT_EQ(a.out, b.out) << command[0];
    EXPECT_EQ(sim.Stop(), 0);
  }
}

TEST(Qel11ctlAgainstSim, ScpiPrintsSensibleAnswers) {
  const auto r = Ctl({"--device", "sim", "scpi", ":rang?;unit?", "MODE?", "syst:err?"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, ":rang?;unit? -> 1;TESL\nMODE? -> DC\nsyst:err? -> 0,\"No error\"\n");
}

TEST(Qel11ctlAgainstSim, StoredSettingsSurviveARestartWithStateFile) {
  const auto state = std::filesystem::temp_directory_path() /
                     ("qel11-sim-state-" + std::to_string(::getpid()) + ".txt");
  std::filesystem::remove(state);
  {
    SimProcess sim(kSimPath, {"--port", "0", "--state", state.string()});
    ASSERT_TRUE(sim.Started());
    const auto r = Ctl({"--device", sim.Device(), "scpi", "MODE AC", "UNIT GAUS", "par:savw?"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(sim.Stop(), 0);
  }
  {
    SimProcess sim(kSimPath, {"--port", "0", "--state", state.string()});
    ASSERT_TRUE(sim.Started());
    const auto r = Ctl({"--device", sim.Device(), "scpi", "MODE?", "UNIT?"});
    EXPECT_EQ(r.out, "MODE? -> AC\nUNIT? -> GAUS\n");
  }
  std::filesystem::remove(state);
}

// The log on stderr shows exactly the lines that went out: RANG? falls into the hold-off
// after UNIT? timed out and is not sent, so it has no "SND : " either.
TEST(Qel11ctlAgainstSim, SilentSimCostsOneTimeLimit) {
  SimProcess sim(kSimPath, {"--port", "0", "--stop-after", "1"});
  ASSERT_TRUE(sim.Started());
  const auto r = Ctl(
      {"--device", sim.Device(), "--timeout", "300", "--log", "scpi", "MODE?", "UNIT?", "RANG?"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "MODE? -> DC\nUNIT?\nRANG?\n");
  const std::regex sent("SND : ([^\n]*)");
  std::vector<std::string> lines;
  for (std::sregex_iterator it(r.err.begin(), r.err.end(), sent), end; it != end; ++it) {
    lines.push_back((*it)[1]);
  }
  EXPECT_EQ(lines, (std::vector<std::string>{"MODE?", "UNIT?"})) << r.err;
}

// A peer that accepts and never greets costs one time limit, not a fixed second.
TEST(Qel11ctlAgainstSim, NoHelloCostsTheTimeLimit) {
  SimProcess sim(kSimPath, {"--port", "0", "--no-hello", "1"});
  ASSERT_TRUE(sim.Started());
  const auto r = Ctl({"--device", sim.Device(), "--timeout", "300", "scpi", "*IDN?"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_LT(r.seconds, 0.9);
  EXPECT_NE(r.err.find("no hello frame from the instrument within 300 ms"), std::string::npos)
      << r.err;
}

}  // namespace
}  // namespace qel::testing
