// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/win1252.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

TEST(Win1252, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToWin1252(Win1252ToUtf8(all)), all);
}

struct Pair {
  const char* win1252;
  const char* utf8;
};

TEST(Win1252, CodesToUtf8) {
  const Pair rows[] = {
      {"MODE?", "MODE?"},
      {"\xE4\xF6\xFC\xDF\xC4\xD6\xDC", "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F\xC3\x84\xC3\x96\xC3\x9C"},
      {"\x80", "\xE2\x82\xAC"},                                              // euro sign
      {"\x99", "\xE2\x84\xA2"},                                              // trade mark
      {"\x9F", "\xC5\xB8"},                                                  // Y with diaeresis
      {"\x84\x93", "\xE2\x80\x9E\xE2\x80\x9C"},                              // German quotes
      {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},  // undefined codes
      {"\xA0\xB0\xFF", "\xC2\xA0\xC2\xB0\xC3\xBF"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Win1252ToUtf8(row.win1252), row.utf8) << row.win1252;
    EXPECT_EQ(Utf8ToWin1252(row.utf8), row.win1252) << row.win1252;
  }
}

TEST(Win1252, Utf8WithoutCodeOrInvalidBecomesQuestionMarks) {
  const Pair rows[] = {
      {"?", "\xC2\x80"},  // U+0080 has no code (0x80 is the euro sign)
      {"a?b",
       "a\xE2\x98\x83"
       "b"},                      // snowman
      {"?", "\xF0\x9F\x98\x80"},  // outside the BMP
      {"?", "\xC3"},              // truncated at the end
      {"?A",
       "\xE2\x82"
       "A"},                         // truncated before an ASCII byte
      {"??", "\x80\xBF"},            // stray continuation bytes
      {"??", "\xC0\xAF"},            // overlong "/"
      {"???", "\xED\xA0\x80"},       // surrogate
      {"????", "\xF4\x90\x80\x80"},  // above U+10FFFF
      {"?x",
       "\xFF"
       "x"},
  };
  for (const auto& row : rows) EXPECT_EQ(Utf8ToWin1252(row.utf8), row.win1252) << row.utf8;
}

}  // namespace
}  // namespace qel
