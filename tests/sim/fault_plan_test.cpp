#include <gtest/gtest.h>

#include "sim/faults.h"

namespace qel::sim {
namespace {

TEST(FaultPlan, ParsesLineRanges) {
  const std::vector<std::pair<std::string, std::optional<std::pair<long, long>>>> rows = {
      {"3", std::pair{3L, 3L}}, {"2-5", std::pair{2L, 5L}}, {"7-7", std::pair{7L, 7L}},
      {"0", std::nullopt},      {"5-2", std::nullopt},      {"", std::nullopt},
      {"a", std::nullopt},      {"3-", std::nullopt},       {"-3", std::nullopt},
      {"1-2-3", std::nullopt},  {" 3", std::nullopt},
  };
  for (const auto& [text, expected] : rows) {
    const auto range = ParseLineRange(text);
    ASSERT_EQ(range.has_value(), expected.has_value()) << text;
    if (range) {
      EXPECT_EQ(std::pair(range->first, range->last), *expected) << text;
    }
  }
  EXPECT_EQ(ParseNumberRange("0-4000", 0), (std::pair{0L, 4000L}));
}

TEST(FaultPlan, FaultsHitOnlyTheirLines) {
  SimOptions options;
  options.silentLines = {2, 3};
  options.garbageLines = {4, 4};
  options.truncateLines = {5, 5};
  options.dropLine = 6;
  options.cutFrameLine = 7;
  options.lateAnswerLine = 8;
  options.lateAnswerDelayMs = 100;
  options.lateAnswerDelayMaxMs = 200;
  FaultPlan plan(options);
  struct Row {
    bool answer;
    ReplyDamage damage;
    bool unplug;
    bool cut;
  };
  const std::vector<Row> rows = {
      {true, ReplyDamage::None, false, false},      {false, ReplyDamage::None, false, false},
      {false, ReplyDamage::None, false, false},     {true, ReplyDamage::Garbage, false, false},
      {true, ReplyDamage::Truncated, false, false}, {false, ReplyDamage::None, true, false},
      {true, ReplyDamage::None, false, true},       {true, ReplyDamage::None, false, false},
      {true, ReplyDamage::None, false, false},
  };
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const LineFate fate = plan.Next();
    EXPECT_EQ(fate.answer, rows[i].answer) << i + 1;
    EXPECT_EQ(fate.damage, rows[i].damage) << i + 1;
    EXPECT_EQ(fate.unplugAfter, rows[i].unplug) << i + 1;
    EXPECT_EQ(fate.cutFrame, rows[i].cut) << i + 1;
    if (i + 1 == 8) {
      EXPECT_GE(fate.delayMs, 100);
      EXPECT_LE(fate.delayMs, 200);
    } else {
      EXPECT_EQ(fate.delayMs, 0) << i + 1;
    }
  }
}

TEST(FaultPlan, LatePercentMakesAboutThatShareLate) {
  SimOptions options;
  options.latePercent = 10;
  options.lateAnswerDelayMaxMs = 4000;
  FaultPlan plan(options);
  int late = 0;
  for (int i = 0; i < 2000; ++i) late += plan.Next().delayMs > 0 ? 1 : 0;
  EXPECT_GT(late, 140);
  EXPECT_LT(late, 260);
}

TEST(FaultPlan, StampSitsBehindTheReplysNul) {
  SimOptions options;
  options.stampReports = true;
  FaultPlan plan(options);
  const auto report = plan.BuildInputReport("DC", ReplyDamage::None, 65, {0x0102, 0x0304});
  ASSERT_EQ(report.size(), 65u);
  EXPECT_EQ(std::string(report.begin() + 1, report.begin() + 3), "DC");
  EXPECT_TRUE(std::all_of(report.begin() + 3, report.begin() + 61, [](auto b) { return b == 0; }));
  EXPECT_EQ(std::vector<std::uint8_t>(report.begin() + 61, report.end()),
            (std::vector<std::uint8_t>{1, 2, 3, 4}));
  // a reply that leaves no NUL before the stamp is sent unstamped
  const std::string long60(60, 'x');
  EXPECT_EQ(plan.BuildInputReport(long60, ReplyDamage::None, 65, {1, 1})[64], 0);
  const auto garbage = plan.BuildInputReport("", ReplyDamage::Garbage, 65, {0, 9});
  EXPECT_EQ(garbage[60], 0);
  EXPECT_EQ(garbage[64], 9);
}

}  // namespace
}  // namespace qel::sim
