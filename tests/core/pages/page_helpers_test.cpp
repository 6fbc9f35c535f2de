// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pages/page_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../german_numeric_locale.h"
#include "core/pages/choice_lists.h"
#include "core/pages/number_text.h"

namespace qel {
namespace {

TEST(TokenToIndex, WholeReplyAgainstWholeTokenIgnoringCase) {
  struct Row {
    std::string reply;
    std::string_view tokens;
    int index;
  };
  const std::vector<Row> rows = {
      {"DC", kModeTokens, 0},
      {"dc", kModeTokens, 0},
      {"Peak", kModeTokens, 2},
      {"NO", kKeyFunctionTokens, 0},
      {"DC ", kModeTokens, -1},
      {" DC", kModeTokens, -1},
      {"DC\n", kModeTokens, -1},
      {"", kModeTokens, -1},
      {"IF", kOutFunctionTokens, -1},
      {"IFHIX", kOutFunctionTokens, -1},
      {"ifrn", kOutFunctionTokens, 7},
      {"14k4", kBaudTokens, 4},
      {"a/m", kUnitLetterTokens, 3},
      {"3", kRangeTokens, 3},
      {"4", kRangeTokens, -1},
      {"DC,AC", kModeTokens, -1},
      // umlauts are not folded
      {"\xE4", "\xC4", -1},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(TokenToIndex(row.reply, row.tokens), row.index) << row.reply;
  }
}

TEST(IndexToToken, InsideAndOutsideTheList) {
  EXPECT_EQ(IndexToToken(-1, kOutFunctionTokens), "");
  EXPECT_EQ(IndexToToken(8, kOutFunctionTokens), "");
  EXPECT_EQ(IndexToToken(7, kOutFunctionTokens), "IFRN");
  EXPECT_EQ(IndexToToken(0, kOutFunctionTokens), "NO");
  EXPECT_EQ(IndexToToken(0, kKeyFunctionTokens), "No");
  EXPECT_EQ(IndexToToken(3, kUnitLetterTokens), "A/m");
  EXPECT_EQ(IndexToToken(1000, kModeTokens), "");
}

TEST(ChoiceLists, EveryTokenHasAnItem) {
  for (const ChoiceList* list :
       {&kModeChoices, &kUnitChoices, &kRangeChoices, &kOutFunctionChoices, &kOutLogicChoices,
        &kInFunctionChoices, &kInLogicChoices, &kKeyFunctionChoices, &kBaudChoices,
        &kStopBitChoices, &kParityChoices, &kSerialModeChoices}) {
    EXPECT_EQ(static_cast<std::size_t>(TokenCount(list->tokens)), list->items.size())
        << list->tokens;
  }
  // Windows-1252 bytes, not UTF-8
  EXPECT_EQ(kOutFunctionItems[2],
            "Wenn Gr\xF6\xDF"
            "er");
  EXPECT_EQ(kOutFunctionItems[6],
            "Wenn \xDC"
            "berlauf");
  EXPECT_EQ(kParityItems[2], "Ungerade Parit\xE4t (ODD)");
}

TEST(FormatLimitValue, FourDecimalsTwelveDigits) {
  struct Row {
    std::string reply;
    std::string text;
  };
  const std::vector<Row> rows = {
      {"1.5", "1.5000"},
      {"-2.25E-1", "-0.2250"},
      {"+12", "12.0000"},
      {"", "0.0000"},
      {"abc", "0.0000"},
      {"1E3", "1000.0000"},
      {"0.00004", "0.0000"},
      {"0.00005", "0.0001"},
      {"123456.789", "123456.7890"},
      {"2.5E-3", "0.0025"},
      {"1e-3", "0.0010"},
      {"9.99995", "10.0000"},
      // binary 2.67499999...: rounds down as the decimal digits say
      {"2.675", "2.6750"},
      {"0.00025", "0.0003"},
      {" 7 ", "7.0000"},
      {"1.", "1.0000"},
      {".5", "0.5000"},
      {"1e+2", "100.0000"},
      {"-0", "0.0000"},
      // a negative value keeps its sign when it rounds to zero
      {"-0.00004", "-0.0000"},
      // beyond 12 significant digits the places are written as "0"
      {"123456789.123456", "123456789.1230"},
      {"999999999999", "999999999999.0000"},
      // more than 12 integer digits: scientific, exponent with at least four digits
      {"1E13", "1E0013"},
      {"999999999999.9", "1E0012"},
      {"1.5E15", "1.5E0015"},
      {"-1.23456789012345E15", "-1.23456789012E0015"},
      // not numbers
      {".", "0.0000"},
      {"1E", "0.0000"},
      {"- 5", "0.0000"},
      {"1.2.3", "0.0000"},
      {"1,5", "0.0000"},
      {"5\r\n", "0.0000"},
      {"\t5", "0.0000"},
      {"++5", "0.0000"},
      {"0x10", "0.0000"},
      {"inf", "0.0000"},
      {"1E400", "0.0000"},
      // too small for a double: zero
      {"1E-400", "0.0000"},
  };
  for (const Row& row : rows) EXPECT_EQ(FormatLimitValue(row.reply), row.text) << row.reply;
}

TEST(ParseDecimal, GrammarAndRange) {
  EXPECT_EQ(ParseDecimal("  -1.25e+2  "), -125.0);
  EXPECT_EQ(ParseDecimal("0.5"), 0.5);
  EXPECT_EQ(ParseDecimal("9.9E37"), 9.9e37);
  EXPECT_EQ(ParseDecimal("-1E-400"), 0.0);
  EXPECT_EQ(ParseDecimal("00000000000000000000000000000001E-10"), 1e-10);
  EXPECT_FALSE(ParseDecimal("-1E400"));
  EXPECT_FALSE(ParseDecimal(""));
  EXPECT_FALSE(ParseDecimal("   "));
  EXPECT_FALSE(ParseDecimal("+"));
  EXPECT_FALSE(ParseDecimal("1e5x"));
  EXPECT_FALSE(ParseDecimal("nan"));
}

// The CLI switches LC_NUMERIC to the user's locale; replies keep their ".".
TEST(ParseDecimal, IndependentOfTheCLocale) {
  const testing::GermanNumericLocale german;
  ASSERT_TRUE(german.Active()) << testing::GermanNumericLocale::kMissing;
  EXPECT_EQ(ParseDecimal("1.5"), 1.5);
  EXPECT_EQ(FormatLimitValue("-2.25E-1"), "-0.2250");
}

TEST(NumericKeyFilter, Rules) {
  using Action = KeyFilterResult::Action;
  struct Row {
    std::string text;
    int caret;
    char typed;
    Action action;
    char ch;              // Pass
    std::string newText;  // SetText
    int newCaret;         // SetText
  };
  const std::vector<Row> rows = {
      {"12", 2, '.', Action::Pass, '.', "", 0},
      {"1.5", 3, '.', Action::Swallow, 0, "", 0},
      {"1.5", 0, '.', Action::Swallow, 0, "", 0},
      {"-5", 0, '3', Action::Swallow, 0, "", 0},
      {"-5", 1, '3', Action::Pass, '3', "", 0},
      {"2.5", 1, '-', Action::SetText, 0, "-2.5", 2},
      {"-2.5", 2, '+', Action::SetText, 0, "+2.5", 2},
      {"+2.5", 0, '-', Action::SetText, 0, "-2.5", 0},
      {"12", 99, '-', Action::SetText, 0, "-12", 3},
      {"+", 1, '.', Action::Pass, '.', "", 0},
      {"-", 0, '5', Action::Pass, '5', "", 0},
      {"", 0, '.', Action::Pass, '.', "", 0},
      {"", 0, '-', Action::Pass, '-', "", 0},
      {"", 0, '+', Action::Pass, '+', "", 0},
      // "," becomes "." before every other rule
      {"", 0, ',', Action::Pass, '.', "", 0},
      {"12", 2, ',', Action::Pass, '.', "", 0},
      {"1.5", 1, ',', Action::Swallow, 0, "", 0},
      {"+", 1, ',', Action::Pass, '.', "", 0},
      {"12", 1, 'a', Action::Swallow, 0, "", 0},
      {"", 0, 'a', Action::Swallow, 0, "", 0},
      {"1", 1, 'e', Action::Swallow, 0, "", 0},
      {"12", 2, ' ', Action::Swallow, 0, "", 0},
      {"12", 2, '\xE4', Action::Swallow, 0, "", 0},
      {"12", 2, '\x7F', Action::Swallow, 0, "", 0},
      // control characters pass (backspace edits as usual)
      {"12", 2, '\b', Action::Pass, '\b', "", 0},
      {"", 0, '\x16', Action::Pass, '\x16', "", 0},
      {"1.5", 3, '7', Action::Pass, '7', "", 0},
  };
  for (const Row& row : rows) {
    const KeyFilterResult result = NumericKeyFilter(row.text, row.caret, row.typed);
    const std::string where = row.text + " @" + std::to_string(row.caret) + " +" + row.typed;
    ASSERT_EQ(result.action, row.action) << where;
    if (row.action == Action::Pass) {
      EXPECT_EQ(result.ch, row.ch) << where;
    }
    if (row.action == Action::SetText) {
      EXPECT_EQ(result.text, row.newText) << where;
      EXPECT_EQ(result.caret, row.newCaret) << where;
    }
  }
}

TEST(ChannelText, PerPageKind) {
  EXPECT_EQ(ChannelText(PageKind::OutLine, 3), "3");
  EXPECT_EQ(ChannelText(PageKind::InLine, 1), "1");
  EXPECT_EQ(ChannelText(PageKind::Tasten, 0), "TOP");
  EXPECT_EQ(ChannelText(PageKind::Tasten, 1), "BOT");
  EXPECT_EQ(ChannelText(PageKind::Tasten, 2), "");
  EXPECT_EQ(ChannelText(PageKind::Tasten, -1), "");
  EXPECT_EQ(ChannelText(PageKind::Einheiten, 5), "");
  EXPECT_EQ(ChannelText(PageKind::LAN, 0), "");
}

}  // namespace
}  // namespace qel
