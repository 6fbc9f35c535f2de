// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/settings_file.h"

#include <gtest/gtest.h>

#include "core/platform/ini_file.h"
#include "temp_dir.h"

namespace qel {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

TEST(SettingsFile, MissingFileGivesDefaults) {
  TempDir dir;
  const MainSettings settings = ReadMainSettings(dir.File("QEL_HID_SETUP.ini"));
  for (const auto& line : settings.scpiLines) EXPECT_EQ(line, "");
  EXPECT_FALSE(settings.english.has_value());
}

TEST(SettingsFile, WritesAllFortyLinesAndLanguage) {
  TempDir dir;
  const std::string path = dir.File("QEL_HID_SETUP.ini");
  std::array<std::string, kScpiLineCount> lines;
  lines[0] = "*idnt?";
  lines[2] = "  leading blanks";
  lines[39] = "syst:err?";
  WriteMainSettings(path, lines, true);
  std::string expected = "[SCPI_Demo]\r\n1=*idnt?\r\n2=\r\n3=  leading blanks\r\n";
  for (int r = 4; r <= 39; ++r) expected += std::to_string(r) + "=\r\n";
  expected += "40=syst:err?\r\n[Language]\r\nEnglish=1\r\n";
  EXPECT_EQ(ReadBytes(path), expected);
  // read back: quotes and blanks are the profile rules' business; plain texts come back
  const MainSettings settings = ReadMainSettings(path);
  EXPECT_EQ(settings.scpiLines[0], "*idnt?");
  EXPECT_EQ(settings.scpiLines[39], "syst:err?");
  EXPECT_EQ(settings.english, true);
}

TEST(SettingsFile, OtherSectionsAndCommentsSurviveASave) {
  TempDir dir;
  const std::string path = dir.File("QEL_HID_SETUP.ini");
  WriteBytes(path, "; notes \xe4\xf6\xfc\r\n[Mine]\r\nkeep=this\r\n[Language]\r\nEnglish=0\r\n");
  std::array<std::string, kScpiLineCount> lines;
  WriteMainSettings(path, lines, false);
  const std::string bytes = ReadBytes(path);
  EXPECT_EQ(bytes.rfind("; notes \xe4\xf6\xfc\r\n[Mine]\r\nkeep=this\r\n[Language]\r\nEnglish=0\r\n"
                        "[SCPI_Demo]\r\n1=\r\n",
                        0),
            0u)
      << bytes;
}

TEST(SettingsFile, LanguageValueRules) {
  const std::vector<std::pair<std::string, std::optional<bool>>> rows = {
      {"1", true},  {"0", false},          {"2", true},       {"0x0", false},
      {"$1", true}, {"yes", std::nullopt}, {"", std::nullopt}};
  for (const auto& [value, expected] : rows) {
    TempDir dir;
    const std::string path = dir.File("QEL_HID_SETUP.ini");
    WriteBytes(path, "[Language]\r\nEnglish=" + value + "\r\n");
    EXPECT_EQ(ReadMainSettings(path).english, expected) << value;
  }
}

TEST(SettingsFile, RefusedWriteThrowsAndKeepsOldFile) {
  TempDir dir;
  const std::string path = dir.File("missing-folder/QEL_HID_SETUP.ini");
  std::array<std::string, kScpiLineCount> lines;
  try {
    WriteMainSettings(path, lines, true);
    FAIL() << "no error";
  } catch (const IniWriteError& e) {
    EXPECT_EQ(std::string(e.what()), "In " + path + " kann nicht geschrieben werden");
  }
}

}  // namespace
}  // namespace qel
