// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/service/service_text.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

TEST(ServiceText, UnquoteReply) {
  const std::vector<std::pair<std::string, std::string>> rows = {
      {"\"PROBE 1   \"", "PROBE 1   "},
      {"\"a\"\"b\"", "a\"b"},
      {"\"a\"\"\"\"b\"", "a\"\"b"},
      {"\"\"\"\"", "\""},
      {"\"abc", "ab"},  // the last character goes even when it is no quote
      {"\"", ""},
      {"\"\"", ""},
      {"abc\"", "abc\""},  // no leading quote: unchanged
      {"a\"\"b", "a\"\"b"},
      {"", ""},
  };
  for (const auto& [reply, text] : rows) EXPECT_EQ(UnquoteReply(reply), text) << reply;
}

TEST(ServiceText, TrimAndQuote) {
  EXPECT_EQ(TrimTrailingBlanks("PROBE 1   "), "PROBE 1");
  EXPECT_EQ(TrimTrailingBlanks("  a\t "), "  a\t");
  EXPECT_EQ(TrimTrailingBlanks("   "), "");
  EXPECT_EQ(QuotedText("AB 1"), "\"AB 1\"");
  EXPECT_EQ(QuotedText("a\"b\""), "\"a\"\"b\"\"\"");
  EXPECT_EQ(QuotedText(""), "\"\"");
}

TEST(ServiceText, ParseDecimalInteger) {
  EXPECT_EQ(ParseDecimalInteger("3"), 3);
  EXPECT_EQ(ParseDecimalInteger(" -1"), -1);
  EXPECT_EQ(ParseDecimalInteger("+7"), 7);
  EXPECT_EQ(ParseDecimalInteger("x"), std::nullopt);
  EXPECT_EQ(ParseDecimalInteger(""), std::nullopt);
  EXPECT_EQ(ParseDecimalInteger("3 "), std::nullopt);
  EXPECT_EQ(ParseDecimalInteger("3.0"), std::nullopt);
  EXPECT_EQ(ParseDecimalInteger("99999999999"), std::nullopt);
}

// Runs a filter over typed text: what the field ends up with.
std::string Typed(const std::string& keys, std::optional<char> (*filter)(char)) {
  std::string entered;
  for (char key : keys) {
    if (auto c = filter(key)) entered += *c;
  }
  return entered;
}

TEST(ServiceText, KeyFilters) {
  EXPECT_EQ(Typed("1,5e-3", ProbeNumberKeyFilter), "1.5e-3");
  EXPECT_EQ(Typed("1,5E-3", ProbeNumberKeyFilter), "1.5-3");    // upper-case E dropped
  EXPECT_EQ(Typed("+a b.9\b", ProbeNumberKeyFilter), "+.9\b");  // Backspace passes
  EXPECT_EQ(Typed("12a-3\b4", ProbeSerialKeyFilter), "123\b4");
  EXPECT_EQ(Typed("3x\b", ProbeTypeKeyFilter), "");
  EXPECT_EQ(Typed("1,5e-3", InternalNumberKeyFilter), "1.5E-3");
  EXPECT_EQ(Typed("+1.5E3x\b\x7F", InternalNumberKeyFilter), "+1.5E3");  // Backspace dropped
  EXPECT_EQ(Typed("\xE9\xC9", InternalNumberKeyFilter), "");  // accented e is no exponent
}

}  // namespace
}  // namespace qel
