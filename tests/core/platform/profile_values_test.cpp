// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/profile_values.h"

#include <gtest/gtest.h>

#include <climits>

namespace qel {
namespace {

TEST(ProfileValues, ParseProfileInt) {
  struct Row {
    const char* text;
    std::optional<long long> value;
  };
  const Row rows[] = {
      {"0", 0},
      {"1", 1},
      {"2", 2},
      {"-1", -1},
      {"+7", 7},
      {"007", 7},
      {"0x0", 0},
      {"0X1F", 31},
      {"0xff", 255},
      {"$ff", 255},
      {"$FF", 255},
      {"-$10", -16},
      {"-0x10", -16},
      {" \t5 ", 5},
      {"9223372036854775807", LLONG_MAX},
      {"-9223372036854775808", LLONG_MIN},
      {"9223372036854775808", std::nullopt},
      {"$8000000000000000", std::nullopt},
      {"yes", std::nullopt},
      {"true", std::nullopt},
      {"1x", std::nullopt},
      {"", std::nullopt},
      {"  ", std::nullopt},
      {"0x", std::nullopt},
      {"$", std::nullopt},
      {"-", std::nullopt},
      {"--1", std::nullopt},
      {"+-1", std::nullopt},
      {"0x-1", std::nullopt},
      {"$+1", std::nullopt},
      {"- 1", std::nullopt},
      {"1 2", std::nullopt},
      {"1.0", std::nullopt},
      {"0b1", std::nullopt},
      {"x1", std::nullopt},
      {"0x1g", std::nullopt},
      {"\xB9", std::nullopt},  // superscript one
  };
  for (const auto& row : rows) EXPECT_EQ(ParseProfileInt(row.text), row.value) << row.text;
}

TEST(ProfileValues, BooleanRule) {
  struct Row {
    const char* line;
    std::optional<bool> value;
  };
  const Row rows[] = {
      {"English=1", true},        {"English=0", false},      {"English=2", true},
      {"English=0x0", false},     {"English=-1", true},      {"english = 1 ", true},
      {"English=\"1\"", true},    {"English=$0", false},     {"English=yes", std::nullopt},
      {"English=", std::nullopt}, {"English", std::nullopt}, {"Other=1", std::nullopt},
  };
  for (const auto& row : rows) {
    const IniDocument doc = IniDocument::Parse(std::string("[Language]\r\n") + row.line + "\r\n");
    EXPECT_EQ(ReadProfileBool(doc, "Language", "English"), row.value) << row.line;
  }
  EXPECT_EQ(ReadProfileBool(IniDocument::Parse("[Other]\nEnglish=1\n"), "Language", "English"),
            std::nullopt);
}

}  // namespace
}  // namespace qel
