// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/service/dot_number.h"

#include <gtest/gtest.h>

#include "../german_numeric_locale.h"

namespace qel {
namespace {

TEST(ParseDotNumber, AcceptedAndRefusedTexts) {
  const std::vector<std::pair<std::string, double>> rows = {
      {"150", 150.0},   {"0.013", 0.013}, {" -1.24 ", -1.24}, {"+8.1234567", 8.1234567},
      {".5", 0.5},      {"5.", 5.0},      {"1.5E-3", 1.5e-3}, {"1.5e+3", 1500.0},
      {"  2e2", 200.0}, {"", 0.0},        {"   ", 0.0},       {"x", 0.0},
      {"1,5", 0.0},     {"1.2.3", 0.0},   {".", 0.0},         {"1e", 0.0},
      {"1e+", 0.0},     {"--1", 0.0},     {"1 2", 0.0},       {"1\t", 0.0},
      {"1e999", 0.0},   {"0x10", 0.0},    {"-0", 0.0},
  };
  for (const auto& [text, value] : rows) EXPECT_DOUBLE_EQ(ParseDotNumber(text), value) << text;
}

TEST(ParseDotNumber, IgnoresTheLocale) {
  const testing::GermanNumericLocale german;
  ASSERT_TRUE(german.Active()) << testing::GermanNumericLocale::kMissing;
  EXPECT_DOUBLE_EQ(ParseDotNumber("1.26"), 1.26);
  EXPECT_EQ(FormatDotFixed(1.26, 2), "1.26");
}

TEST(FormatDotFixed, Rows) {
  struct Row {
    double value;
    int decimals;
    std::string text;
  };
  const std::vector<Row> rows = {
      {150, 6, "150.000000"},
      {0.013 * 100, 6, "1.300000"},
      {1.3 * 0.01, 9, "0.013000000"},
      {8.1234567, 5, "8.12346"},
      {0, 6, "0.000000"},
      {0, 5, "0.00000"},
      {-1.24, 1, "-1.2"},
      {1.26, 1, "1.3"},
      {1.25, 1, "1.3"},  // halves away from zero on the decimal digits
      {-1.25, 1, "-1.3"},
      {0.15, 1, "0.2"},
      {9.96, 1, "10.0"},
      {999.9999999, 2, "1000.00"},
      {-0.04, 1, "0.0"},  // rounds to zero: no "-"
      {0.0000006, 6, "0.000001"},
      {0.0000004, 6, "0.000000"},
      {0.0000096, 6, "0.000010"},
      {123456789.123456, 6, "123456789.100000"},  // 10 significant digits, then zeros
      {0.123456789012345, 12, "0.123456789000"},
      {1234567890.4, 2, "1234567890.00"},
      {42, 0, "42"},
      {1.5e10, 6, "1.5E+10"},
      {-12345678901.0, 2, "-1.23456789E+10"},
      {9999999999.6, 1, "1E+10"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(FormatDotFixed(row.value, row.decimals), row.text) << row.value;
  }
}

}  // namespace
}  // namespace qel
