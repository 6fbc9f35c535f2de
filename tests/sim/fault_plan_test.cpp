// SPDX-License-Identifier: GPL-3.0-or-later
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
