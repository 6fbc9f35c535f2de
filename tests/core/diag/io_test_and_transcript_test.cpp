// SPDX-License-Identifier: GPL-3.0-or-later
// The I/O test tab's lines and input rule, and the SCPI tab's transcript entries.

#include <gtest/gtest.h>

#include "core/diag/io_test.h"
#include "core/diag/scpi_transcript.h"
#include "scripted_instrument.h"

namespace qel {
namespace {

using testing::ScriptedInstrument;
using Lines = std::vector<std::string>;

TEST(IoTest, OutputLinesOnAndOffThenAllOff) {
  ScriptedInstrument qel;
  OutputTest(qel.session, 2, true);
  OutputTest(qel.session, 4, false);
  OutputTestOff(qel.session);
  EXPECT_EQ(qel.sent, (Lines{"DGIO:OEN2 1", "DGIO:SET:OUT2:LOG 0", "DGIO:OUT2 1", "DGIO:OEN4 1",
                             "DGIO:SET:OUT4:LOG 0", "DGIO:OUT4 0", "DGIO:OEN1 0", "DGIO:OEN2 0",
                             "DGIO:OEN3 0", "DGIO:OEN4 0"}));
}

TEST(IoTest, InputPollingTakesOnlyFiveCharacterReplies) {
  struct Row {
    std::string reply;
    std::optional<InputStates> states;
  };
  const std::vector<Row> rows = {
      {"1,0,1", InputStates{true, false, true}},
      {"0;1;0", InputStates{false, true, false}},  // the characters between are not looked at
      {"11111", InputStates{true, true, true}},
      {"1,0,1\n", std::nullopt},  // 6 characters: changes nothing
      {"1,0", std::nullopt},
      {"", std::nullopt},  // no answer
  };
  for (const Row& row : rows) {
    ScriptedInstrument qel;
    qel.Reply("DGIO:IN?", row.reply);
    EXPECT_EQ(PollInputs(qel.session), row.states) << row.reply;
    EXPECT_EQ(qel.sent, Lines{"DGIO:IN?"});
  }
}

TEST(ScpiTranscript, EntryHasTheReplyOnlyWhenOneCameBack) {
  struct Row {
    std::string line, reply, entry;
    bool attached = true;
  };
  const std::vector<Row> rows = {
      {"*IDN?", "KORVAL,QEL11", "*IDN? -> KORVAL,QEL11"},
      {"MODE DC", "sent anyway", "MODE DC"},  // no "?": no reply is taken
      {"syst:err?", "", "syst:err?"},
      {"*IDN?", "", "*IDN?", false},  // no instrument
  };
  for (const Row& row : rows) {
    ScriptedInstrument qel(row.attached);
    qel.Reply(row.line, row.reply);
    EXPECT_EQ(SendTranscriptLine(qel.session, row.line), row.entry);
  }
}

}  // namespace
}  // namespace qel
