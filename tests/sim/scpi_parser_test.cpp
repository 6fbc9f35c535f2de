// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/scpi_parser.h"

#include <gtest/gtest.h>

#include "sim/header_pattern.h"

namespace qel::sim {
namespace {

using Words = std::vector<std::string>;

std::vector<Words> PathsOf(const std::string& line) {
  std::vector<Words> out;
  for (const auto& unit : ParseScpiLine(line)) out.push_back(unit.words);
  return out;
}

TEST(ScpiParser, RelativeHeadersContinueFromThePreviousPathMinusItsLastWord) {
  EXPECT_EQ(PathsOf(":peak:fast:read?;read:min?;max?"),
            (std::vector<Words>{{"PEAK", "FAST", "READ"},
                                {"PEAK", "FAST", "READ", "MIN"},
                                {"PEAK", "FAST", "READ", "MAX"}}));
  EXPECT_EQ(PathsOf(":rang?;unit?"), (std::vector<Words>{{"RANG"}, {"UNIT"}}));
  EXPECT_EQ(PathsOf("inte:tol;tul"), (std::vector<Words>{{"INTE", "TOL"}, {"INTE", "TUL"}}));
  // A leading ":" goes back to the root.
  EXPECT_EQ(PathsOf("PEAK:FAST:READ?;:MODE?"),
            (std::vector<Words>{{"PEAK", "FAST", "READ"}, {"MODE"}}));
}

TEST(ScpiParser, CommonCommandsLeaveThePathAlone) {
  const auto units = ParseScpiLine("PROB:LOCK 6083; *opc?;READ?");
  ASSERT_EQ(units.size(), 3u);
  EXPECT_EQ(units[0].words, (Words{"PROB", "LOCK"}));
  EXPECT_FALSE(units[0].query);
  EXPECT_EQ(units[0].arguments, "6083");
  EXPECT_TRUE(units[1].common);
  EXPECT_TRUE(units[1].query);
  EXPECT_EQ(units[1].words, (Words{"OPC"}));
  EXPECT_EQ(units[2].words, (Words{"PROB", "READ"}));
}

TEST(ScpiParser, ArgumentsKeepQuotedSemicolonsAndBlanks) {
  const auto units = ParseScpiLine("PROB:NAME \"A;B  \"  ;PROB:CAL \"x\"");
  ASSERT_EQ(units.size(), 2u);
  EXPECT_EQ(units[0].arguments, "\"A;B  \"");
  EXPECT_EQ(units[1].words, (Words{"PROB", "PROB", "CAL"}));  // relative to PROB
  EXPECT_EQ(SplitArguments(" 1.5 , \"a,b\" "), (Words{"1.5", "\"a,b\""}));
  EXPECT_TRUE(SplitArguments("   ").empty());
}

TEST(ScpiParser, TrailingBlankAndEmptyUnits) {
  const auto units = ParseScpiLine("INTE:HCLN 48 ;;");
  ASSERT_EQ(units.size(), 1u);
  EXPECT_EQ(units[0].arguments, "48");
  EXPECT_TRUE(ParseScpiLine("").empty());
  EXPECT_TRUE(ParseScpiLine("  ").empty());
  // "MODE " with nothing after the blank: a setting without argument.
  const auto mode = ParseScpiLine("MODE ");
  ASSERT_EQ(mode.size(), 1u);
  EXPECT_FALSE(mode[0].query);
  EXPECT_EQ(mode[0].arguments, "");
}

TEST(ScpiParser, SyntaxErrors) {
  for (const char* line : {"MODE?DC", "A::B", "RANG:", "*", "MO-DE?", "?"}) {
    const auto units = ParseScpiLine(line);
    ASSERT_FALSE(units.empty()) << line;
    EXPECT_TRUE(units[0].syntaxError) << line;
  }
}

struct PatternCase {
  const char* pattern;
  Words words;
  bool match;
  std::vector<int> suffixes;
};

TEST(HeaderPattern, ShortAndLongFormsAndSuffixes) {
  const PatternCase cases[] = {
      {"RANGe", {"RANG"}, true, {}},
      {"RANGe", {"RANGE"}, true, {}},
      {"RANGe", {"RAN"}, false, {}},
      {"RANGe", {"RANGES"}, false, {}},
      {"SYSTem:ERRor", {"SYST", "ERR"}, true, {}},
      {"SYSTem:ERRor", {"SYSTEM", "ERROR"}, true, {}},
      {"SYSTem:ERRor", {"SYSTEM", "ERRO"}, false, {}},
      {"DGIO:SET:OUTput#:FUNCtion", {"DGIO", "SET", "OUT3", "FUNC"}, true, {3}},
      {"DGIO:SET:OUTput#:FUNCtion", {"DGIO", "SET", "OUTPUT2", "FUNCTION"}, true, {2}},
      {"DGIO:SET:OUTput#:FUNCtion", {"DGIO", "SET", "OUT", "FUNC"}, true, {1}},
      {"DGIO:SET:OUTput#:FUNCtion", {"DGIO", "SET", "OUTP2", "FUNC"}, false, {}},
      {"PROBe:S0#", {"PROB", "S02"}, true, {2}},
      {"PROBe:RO3#", {"PROBE", "RO31"}, true, {1}},
      {"PROBe:ALFa#", {"PROB", "ALF2"}, true, {2}},
      {"INTErnal:CONStant:MAG:GA#", {"INTE", "CONS", "MAG", "GA0"}, true, {0}},
      {"INTErnal:HC", {"INTE", "HCLN"}, false, {}},
      {"MODE", {"MODE1"}, false, {}},
  };
  for (const auto& c : cases) {
    std::vector<int> suffixes;
    const bool match = HeaderPattern(c.pattern).Match(c.words, suffixes);
    EXPECT_EQ(match, c.match) << c.pattern << " " << c.words.back();
    if (match) {
      EXPECT_EQ(suffixes, c.suffixes) << c.pattern;
    }
  }
}

}  // namespace
}  // namespace qel::sim
