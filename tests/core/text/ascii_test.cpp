// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/ascii.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

TEST(Ascii, FoldsOnlyAsciiLetters) {
  EXPECT_EQ(AsciiUpperCase("par:savw? \xE4\xF6\xFC\xDF az@[`{"),
            "PAR:SAVW? \xE4\xF6\xFC\xDF AZ@[`{");
  EXPECT_EQ(AsciiLowerCase("SCPI_Demo \xC4\xD6\xDC AZ@[`{"), "scpi_demo \xC4\xD6\xDC az@[`{");
  EXPECT_EQ(AsciiToUpper('\xE4'), '\xE4');
  EXPECT_EQ(AsciiToLower('\xC4'), '\xC4');
}

TEST(Ascii, CompareNoCase) {
  struct Row {
    const char* a;
    const char* b;
    int sign;
  };
  const Row rows[] = {
      {"English", "ENGLISH", 0},
      {"scpi_demo", "SCPI_Demo", 0},
      {"abc", "ABD", -1},
      {"ABD", "abc", 1},
      {"a", "AB", -1},
      {"", "", 0},
      {"\xE4", "\xC4", 1},  // umlauts by byte: a-umlaut is not A-umlaut
      {"\xE4", "z", 1},     // bytes compare unsigned
      {"_", "a", -1},       // folding to lower case: '_' (0x5F) < 'a'
  };
  for (const auto& row : rows) {
    const int got = AsciiCompareNoCase(row.a, row.b);
    EXPECT_EQ((got > 0) - (got < 0), row.sign) << row.a << " / " << row.b;
    EXPECT_EQ(AsciiEqualsNoCase(row.a, row.b), row.sign == 0) << row.a << " / " << row.b;
  }
}

}  // namespace
}  // namespace qel
