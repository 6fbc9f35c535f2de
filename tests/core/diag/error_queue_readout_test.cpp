// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/diag/error_queue_readout.h"

#include <gtest/gtest.h>

#include "scripted_instrument.h"

namespace qel {
namespace {

using testing::ScriptedInstrument;

const std::string kStop = "0,\"No error\"";

std::vector<std::string> Repeat(const std::string& line, std::size_t n) {
  return std::vector<std::string>(n, line);
}

TEST(ErrorQueueReadout, EmptyQueueGivesTheStopTextOnly) {
  ScriptedInstrument qel;
  qel.Reply("syst:err?", kStop);
  const auto readout = ReadErrorQueue(qel.session);
  EXPECT_EQ(readout.lines, std::vector<std::string>{kStop});
  EXPECT_EQ(readout.end, ErrorQueueEnd::StopText);
  EXPECT_EQ(qel.sent, Repeat("syst:err?", 1));
}

TEST(ErrorQueueReadout, TwoErrorsOldestFirstThenStop) {
  ScriptedInstrument qel;
  qel.ReplyInTurn("syst:err?",
                  {"-113,\"Undefined header\"", "-224,\"Illegal parameter value\"", kStop});
  const auto first = ReadErrorQueue(qel.session);
  EXPECT_EQ(first.lines, (std::vector<std::string>{"-113,\"Undefined header\"",
                                                   "-224,\"Illegal parameter value\"", kStop}));
  EXPECT_EQ(qel.sent, Repeat("syst:err?", 3));
  // read again right away: the queue was emptied by the first read
  const auto second = ReadErrorQueue(qel.session);
  EXPECT_EQ(second.lines, std::vector<std::string>{kStop});
  EXPECT_EQ(qel.sent, Repeat("syst:err?", 4));
}

TEST(ErrorQueueReadout, StopTextMustMatchExactly) {
  // code 0 in another form is no stop text; the read goes on to the real one
  ScriptedInstrument qel;
  qel.ReplyInTurn("syst:err?", {"0,\"NO ERROR\"", "+0,\"No error\"", kStop + " ", kStop});
  const auto readout = ReadErrorQueue(qel.session);
  EXPECT_EQ(readout.lines.size(), 4u);
  EXPECT_EQ(readout.lines.back(), kStop);
}

TEST(ErrorQueueReadout, AbsentInstrumentEndsAfterOneQuery) {
  ScriptedInstrument qel(/*attached=*/false);
  const auto readout = ReadErrorQueue(qel.session);
  EXPECT_TRUE(readout.lines.empty());
  EXPECT_EQ(readout.end, ErrorQueueEnd::EmptyReply);
  EXPECT_EQ(qel.session.UnansweredLines(), 1u);  // one "syst:err?"
}

TEST(ErrorQueueReadout, EmptyReplyEndsAndKeepsTheLinesRead) {
  ScriptedInstrument qel;
  qel.ReplyInTurn("syst:err?", {"-113,\"Undefined header\"", ""});
  const auto readout = ReadErrorQueue(qel.session);
  EXPECT_EQ(readout.lines, std::vector<std::string>{"-113,\"Undefined header\""});
  EXPECT_EQ(readout.end, ErrorQueueEnd::EmptyReply);
  EXPECT_EQ(qel.sent.size(), 2u);
}

TEST(ErrorQueueReadout, QueueThatNeverEndsStopsAfter100) {
  ScriptedInstrument qel;
  qel.Reply("syst:err?", "0,No error");  // never the exact stop text
  const auto readout = ReadErrorQueue(qel.session);
  EXPECT_EQ(readout.lines, Repeat("0,No error", 100));
  EXPECT_EQ(readout.end, ErrorQueueEnd::EntryLimit);
  EXPECT_EQ(qel.sent.size(), 100u);
}

TEST(ErrorQueueReadout, StopTextAsHundredthEntryStillCountsAsStop) {
  ScriptedInstrument qel;
  std::deque<std::string> replies(99, "-100,\"Command error\"");
  replies.push_back(kStop);
  qel.ReplyInTurn("syst:err?", replies);
  const auto readout = ReadErrorQueue(qel.session);
  EXPECT_EQ(readout.lines.size(), 100u);
  EXPECT_EQ(readout.end, ErrorQueueEnd::StopText);
}

}  // namespace
}  // namespace qel
