// SPDX-License-Identifier: GPL-3.0-or-later
// qel11ctl diff and write --verify against a stateful instrument: what it holds compared
// with a parameter file as the page models see both, exact lines, and the exit status.

#include <gtest/gtest.h>

#include <map>

#include "cli_test_support.h"
#include "sim_peer.h"

namespace qel::testing {
namespace {

const std::string kChanged = TestData("cli/changed.QEL");

TEST(Qel11ctlCompare, WriteVerifySucceedsAndDiffThenPrintsNothing) {
  SimPeer sim;
  auto r = Ctl({"--device", sim.peer.Device(), "write", kChanged, "--verify"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "");
  // the 39 read lines follow the write's lines
  const auto lines = sim.Lines();
  ASSERT_GT(lines.size(), 39u);
  EXPECT_EQ(lines[lines.size() - 39], "MODE?");
  r = Ctl({"--device", sim.peer.Device(), "diff", kChanged});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "");
}

// Values that do not stick: the instrument answers something else. "1.5E0" is the file's
// 1.5 and "-2.25E-1" its -0.225, and the octet 7 its 0 only when it is 0: only real
// differences are printed, each value as the file writes it.
TEST(Qel11ctlCompare, ValuesThatDoNotStickAreNamedBySectionAndKey) {
  const std::string text =
      "Mode\tMODE\t1\t0\n"
      "Output1\tDGIO:SET:OUT:LIMI:LOW\t0\t2.5000\n"
      "LAN\tIP:MAS4\t0\t007\n";
  const std::string json =
      "[\n"
      "  {\"section\": \"Mode\", \"key\": \"MODE\", \"file\": \"1\", \"instrument\": \"0\"},\n"
      "  {\"section\": \"Output1\", \"key\": \"DGIO:SET:OUT:LIMI:LOW\", \"file\": \"0\", "
      "\"instrument\": \"2.5000\"},\n"
      "  {\"section\": \"LAN\", \"key\": \"IP:MAS4\", \"file\": \"0\", \"instrument\": "
      "\"007\"}\n"
      "]\n";
  const std::vector<std::pair<std::vector<std::string>, std::string>> rows = {
      {{"write", kChanged, "--verify"}, text},
      {{"diff", kChanged}, text},
      {{"--json", "diff", kChanged}, json},
  };
  for (const auto& [args, expected] : rows) {
    SimPeer sim;
    sim.replaced = {{"MODE?", "DC"},
                    {"DGIO:SET:OUT1:LIMI:LOW?", "2.5"},
                    {"DGIO:SET:OUT2:LIMI:HIGH?", "1.5E0"},
                    {"DGIO:SET:OUT2:LIMI:LOW?", "-2.25E-1"},
                    {"IP:MAS4?", "7"}};
    if (args[0] != "write") Ctl({"--device", sim.peer.Device(), "write", kChanged});
    std::vector<std::string> all = {"--device", sim.peer.Device()};
    all.insert(all.end(), args.begin(), args.end());
    const auto r = Ctl(all);
    EXPECT_EQ(r.exitCode, 1) << args[0] << r.err;
    EXPECT_EQ(r.out, expected) << args[0];
    EXPECT_EQ(r.err, "") << args[0];
  }
}

TEST(Qel11ctlCompare, FailurePaths) {
  struct Row {
    const char* what;
    std::vector<std::string> args;
    long silentAfter;
    std::map<std::string, std::string> replaced;
    int exitCode;
    std::string out;
    std::string err;
    std::size_t linesSent;  // npos: not checked
  };
  const std::size_t any = std::string::npos;
  const std::vector<Row> rows = {
      {"an unanswered read compares nothing",
       {"diff", kChanged},
       20,
       {},
       1,
       "",
       "qel11ctl: the instrument did not answer every line; nothing compared\n",
       21},
      {"an unanswered write is not read back",
       {"write", kChanged, "--verify"},
       3,
       {},
       1,
       "",
       "qel11ctl: the instrument did not answer every line of the write; nothing compared\n",
       4},
      {"a reply that does not fit is named and fails",
       {"write", kChanged, "--verify"},
       -1,
       {{"KEYS:BOT:FUNC?", "NLPX"}},
       1,
       "KEYSBOT\tFUNC\t3\t-1\n",
       "qel11ctl: the reply to KEYS:BOT:FUNC? does not fit: \"NLPX\"\n",
       any},
      {"a missing file is a file error",
       {"diff", "/no/such.QEL"},
       -1,
       {},
       2,
       "",
       "qel11ctl: /no/such.QEL: no such file\n",
       0},
  };
  for (const Row& row : rows) {
    SimPeer sim;
    sim.silentAfter = row.silentAfter;
    sim.replaced = row.replaced;
    std::vector<std::string> args = {"--device", sim.peer.Device(), "--timeout", "200"};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const auto r = Ctl(args);
    EXPECT_EQ(r.exitCode, row.exitCode) << row.what << ": " << r.err;
    EXPECT_EQ(r.out, row.out) << row.what;
    EXPECT_EQ(r.err, row.err) << row.what;
    if (row.linesSent != any) {
      EXPECT_EQ(sim.Lines().size(), row.linesSent) << row.what;
    }
  }
}

}  // namespace
}  // namespace qel::testing
