// SPDX-License-Identifier: GPL-3.0-or-later
// The system language and the start-up choice between German and English.
#include "core/lang/language_choice.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "../platform/temp_dir.h"
#include "core/lang/windows_language.h"
#include "core/platform/settings_file.h"

namespace qel {
namespace {

[[maybe_unused]] EnvLookup FakeEnv(std::map<std::string, std::string> vars) {
  return [vars = std::move(vars)](const char* name) -> std::optional<std::string> {
    const auto it = vars.find(name);
    if (it == vars.end()) return std::nullopt;
    return it->second;
  };
}

TEST(WindowsLanguage, FromLocaleCalls) {
  struct Row {
    WindowsLocaleInfo info;
    const char* tag;
  };
  const Row rows[] = {
      {{"de", "DE", 0}, "de_DE"},
      {{"de", "AT", 0}, "de_AT"},
      {{"en", "US", 0x0407}, "en_US"},  // thread locale only counts without both names
      {{"no", "NO", 0}, "nb_NO"},
      {{"NO", "NO", 0}, "nb_NO"},
      // a failed name call: the thread locale decides
      {{std::nullopt, "DE", 0x0407}, "DE"},
      {{"de", std::nullopt, 0x0807}, "DE"},
      {{std::nullopt, std::nullopt, 0x0C07}, "DE"},
      {{std::nullopt, std::nullopt, 0x1007}, "DE"},
      {{std::nullopt, std::nullopt, 0x1407}, "DE"},
      {{std::nullopt, std::nullopt, 0x0409}, "NON_DE"},
      {{std::nullopt, std::nullopt, 0x0007}, "NON_DE"},
      {{std::nullopt, std::nullopt, 0x1807}, "NON_DE"},
  };
  for (const Row& row : rows) EXPECT_EQ(LanguageTagFromWindowsLocale(row.info), row.tag);
}

TEST(WindowsLanguage, FromPosixLocaleValue) {
  struct Row {
    const char* value;
    const char* tag;
  };
  const Row rows[] = {
      {"de_AT.UTF-8", "de_AT"}, {"de_DE", "de_DE"},
      {"de_DE@euro", "de_DE"},  {"de_CH.utf8@x", "de_CH"},
      {"en_US.UTF-8", "en_US"}, {"en_DE.UTF-8", "en_DE"},
      {"no_NO", "nb_NO"},       {"de", "DE"},
      {"de.UTF-8", "DE"},       {"de_", "DE"},
      {"de_DEU", "DE"},         {"en", "NON_DE"},
      {"C", "NON_DE"},          {"C.UTF-8", "NON_DE"},
      {"POSIX", "NON_DE"},      {"nds_DE.UTF-8", "NON_DE"},
      {"", "NON_DE"},           {"fr_FR", "fr_FR"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(LanguageTagFromPosixLocale(row.value), row.tag) << row.value;
}

TEST(WindowsLanguage, GermanTest) {
  struct Row {
    const char* tag;
    bool german;
  };
  const Row rows[] = {
      {"de_DE", true},   {"de_AT", true},  {"de_CH", true},  {"en_DE", true},
      {"DE", true},      {"en_US", false}, {"fr_FR", false}, {"NON_DE", false},
      {"non_de", false}, {"nb_NO", false}, {"", false},
  };
  for (const Row& row : rows) EXPECT_EQ(LanguageCountsAsGerman(row.tag), row.german) << row.tag;
}

#ifndef _WIN32
TEST(WindowsLanguage, FirstNonEmptyOfLcAllLcMessagesLang) {
  struct Row {
    std::map<std::string, std::string> env;
    const char* tag;
  };
  const Row rows[] = {
      {{{"LANG", "de_AT.UTF-8"}}, "de_AT"},
      {{{"LC_ALL", "en_US.UTF-8"}, {"LC_MESSAGES", "de_DE"}, {"LANG", "de_DE"}}, "en_US"},
      {{{"LC_ALL", ""}, {"LC_MESSAGES", "de_CH"}, {"LANG", "en_US"}}, "de_CH"},
      {{{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANG", "fr_FR"}}, "fr_FR"},
      {{{"LC_ALL", "C"}, {"LANG", "de_DE"}}, "NON_DE"},
      {{{"LC_CTYPE", "de_DE"}}, "NON_DE"},
      {{}, "NON_DE"},
  };
  for (const Row& row : rows) EXPECT_EQ(DetectWindowsLanguage(FakeEnv(row.env)), row.tag);
}
#endif

TEST(LanguageChoice, SettingWinsOverSystemLanguage) {
  struct Row {
    std::optional<bool> setting;
    const char* tag;
    bool english;
  };
  const Row rows[] = {
      {std::nullopt, "de_DE", false}, {std::nullopt, "de_AT", false},
      {std::nullopt, "de_CH", false}, {std::nullopt, "en_DE", false},
      {std::nullopt, "en_US", true},  {std::nullopt, "DE", false},
      {std::nullopt, "NON_DE", true}, {true, "de_DE", true},
      {false, "en_US", false},        {false, "de_DE", false},
      {true, "en_US", true},
  };
  for (const Row& row : rows) EXPECT_EQ(DecideEnglish(row.setting, row.tag), row.english);
}

TEST(LanguageChoice, SettingValuesAsTheSettingsFileHoldsThem) {
  struct Row {
    const char* file;
    const char* tag;
    bool english;
  };
  const Row rows[] = {
      {"", "de_DE", false},
      {"", "en_US", true},
      {"[Language]\r\nEnglish=1\r\n", "de_DE", true},
      {"[Language]\r\nEnglish=0\r\n", "en_US", false},
      {"[language]\r\nenglish=2\r\n", "de_DE", true},
      {"[Language]\r\nEnglish=0x0\r\n", "en_US", false},
      {"[Language]\r\nEnglish=yes\r\n", "de_DE", false},  // no number: the default
      {"[Language]\r\nEnglish=yes\r\n", "en_US", true},
      {"[Language]\r\nEnglish=\r\n", "en_US", true},
      {"[SCPI_Demo]\r\nEnglish=0\r\n", "en_US", true},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(DecideEnglishAtStart(IniDocument::Parse(row.file), row.tag), row.english)
        << row.file << " / " << row.tag;
  }
}

#ifndef _WIN32
TEST(LanguageChoice, ReadsTheSettingsFileOfTheDataFolder) {
  testing::TempDir dir;
  const std::string base = dir.Path().string();
  auto env = [&](const char* lang) { return FakeEnv({{"ProgramData", base}, {"LANG", lang}}); };
  // No folder, no file: the system language decides, and nothing is created.
  EXPECT_FALSE(DecideEnglishAtStart(env("de_DE.UTF-8")));
  EXPECT_TRUE(DecideEnglishAtStart(env("en_US.UTF-8")));
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "KORVAL"));

  const std::string settings = SettingsFilePath(GetAppDataFolder(env("C")));
  // What the main window's close writes is what the next start reads.
  WriteMainSettings(settings, {}, true);
  EXPECT_TRUE(DecideEnglishAtStart(env("de_DE.UTF-8")));
  WriteMainSettings(settings, {}, false);
  EXPECT_FALSE(DecideEnglishAtStart(env("en_US.UTF-8")));
  testing::WriteBytes(settings, "[Language]\r\nEnglish=1\r\n");
  EXPECT_TRUE(DecideEnglishAtStart(env("de_DE.UTF-8")));
}
#endif

}  // namespace
}  // namespace qel
