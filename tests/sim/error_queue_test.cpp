// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/error_queue.h"

#include <gtest/gtest.h>

#include "sim/instrument.h"

namespace qel::sim {
namespace {

TEST(ErrorQueue, AnswersOldestFirstThenNoError) {
  ErrorQueue queue;
  EXPECT_EQ(queue.Pop(), "0,\"No error\"");
  queue.Push(scpi_error::kUndefinedHeader);
  queue.Push(scpi_error::kIllegalParameter);
  EXPECT_EQ(queue.Pop(), "-113,\"Undefined header\"");
  EXPECT_EQ(queue.Pop(), "-224,\"Illegal parameter value\"");
  EXPECT_EQ(queue.Pop(), "0,\"No error\"");
}

TEST(ErrorQueue, OverflowReplacesTheNewestEntry) {
  ErrorQueue queue;
  for (int i = 0; i < 29; ++i) queue.Push(-100 - i, "E");
  queue.Push(scpi_error::kMissingParameter);  // the 30th still fits
  EXPECT_EQ(queue.entries().back().code, -109);
  queue.Push(scpi_error::kUndefinedHeader);
  queue.Push(scpi_error::kUndefinedHeader);
  ASSERT_EQ(queue.size(), ErrorQueue::kDepth);
  EXPECT_EQ(queue.entries().front().code, -100);
  EXPECT_EQ(queue.entries()[28].code, -128);
  EXPECT_EQ(queue.entries().back(), (ErrorQueue::Entry{-350, "Queue overflow"}));
  // After reading one entry there is room again.
  queue.Pop();
  queue.Push(scpi_error::kSyntax);
  EXPECT_EQ(queue.entries().back().code, -102);
  EXPECT_EQ(queue.entries()[28].code, -350);
}

TEST(ErrorQueue, InstrumentQueuesErrorsOfBadLinesInOrder) {
  Instrument instrument;
  EXPECT_EQ(instrument.HandleLine("FOO:BAR?"), "");
  EXPECT_EQ(instrument.HandleLine("MODE "), "");
  EXPECT_EQ(instrument.HandleLine("UNIT XYZ"), "");
  EXPECT_EQ(instrument.HandleLine("DGIO:SET:OUT5:FUNC?"), "");
  EXPECT_EQ(instrument.HandleLine("PROB:NAME \"x\""), "");
  EXPECT_EQ(instrument.HandleLine("MODE? DC"), "");
  EXPECT_EQ(instrument.HandleLine("MODE?DC"), "");
  EXPECT_EQ(instrument.HandleLine("syst:err:count?"), "7");
  const char* expected[] = {
      "-113,\"Undefined header\"",
      "-109,\"Missing parameter\"",
      "-224,\"Illegal parameter value\"",
      "-114,\"Header suffix out of range\"",
      "-203,\"Command protected\"",
      "-108,\"Parameter not allowed\"",
      "-102,\"Syntax error\"",
      "0,\"No error\"",
      "0,\"No error\"",
  };
  for (const char* line : expected) EXPECT_EQ(instrument.HandleLine("syst:err?"), line);
}

TEST(ErrorQueue, ClsEmptiesTheQueue) {
  Instrument instrument;
  instrument.HandleLine("NOPE");
  instrument.HandleLine("*CLS");
  EXPECT_EQ(instrument.HandleLine("SYSTem:ERRor?"), "0,\"No error\"");
}

}  // namespace
}  // namespace qel::sim
