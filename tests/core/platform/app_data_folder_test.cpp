// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/app_data_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "core/platform/ini_file.h"
#include "temp_dir.h"

namespace qel {
namespace {

namespace fs = std::filesystem;

EnvLookup FakeEnv(std::map<std::string, std::string> vars) {
  return [vars = std::move(vars)](const char* name) -> std::optional<std::string> {
    const auto it = vars.find(name);
    if (it == vars.end()) return std::nullopt;
    return it->second;
  };
}

#ifndef _WIN32
TEST(AppDataFolder, BaseIsTheFirstUsableVariable) {
  struct Row {
    std::map<std::string, std::string> env;
    const char* folder;
  };
  const Row rows[] = {
      {{{"ProgramData", "/p"}, {"ALLUSERSPROFILE", "/a"}, {"HOME", "/h"}},
       "/p/KORVAL/QELConfigTool"},
      {{{"ALLUSERSPROFILE", "X"}, {"HOME", "/h"}}, "X/KORVAL/QELConfigTool"},
      {{{"ProgramData", ""}, {"ALLUSERSPROFILE", "/a"}}, "/a/KORVAL/QELConfigTool"},
      {{{"XDG_DATA_HOME", "/xdg"}, {"HOME", "/h"}}, "/xdg/KORVAL/QELConfigTool"},
      {{{"XDG_DATA_HOME", "relative"}, {"HOME", "/h"}}, "/h/.local/share/KORVAL/QELConfigTool"},
      {{{"XDG_DATA_HOME", ""}, {"HOME", "/h"}}, "/h/.local/share/KORVAL/QELConfigTool"},
      {{{"HOME", ""}}, "/KORVAL/QELConfigTool"},
      {{}, "/KORVAL/QELConfigTool"},
  };
  for (const auto& row : rows) EXPECT_EQ(AppDataFolderPath(FakeEnv(row.env)), row.folder);
}

TEST(AppDataFolder, SettingsFilePath) {
  EXPECT_EQ(SettingsFilePath("/d/KORVAL/QELConfigTool"),
            "/d/KORVAL/QELConfigTool/QEL_HID_SETUP.ini");
  EXPECT_EQ(SettingsFilePath(""), "/QEL_HID_SETUP.ini");
}
#else
TEST(AppDataFolder, BaseIsTheFirstUsableVariable) {
  struct Row {
    std::map<std::string, std::string> env;
    const char* folder;
  };
  // HOME and XDG_DATA_HOME mean nothing on Windows.
  const Row rows[] = {
      {{{"ProgramData", "D:\\PD"}, {"ALLUSERSPROFILE", "E:\\AU"}}, "D:\\PD\\KORVAL\\QELConfigTool"},
      {{{"ALLUSERSPROFILE", "X"}, {"HOME", "/h"}}, "X\\KORVAL\\QELConfigTool"},
      {{{"ProgramData", ""}, {"ALLUSERSPROFILE", "E:\\AU"}}, "E:\\AU\\KORVAL\\QELConfigTool"},
      {{{"XDG_DATA_HOME", "/xdg"}, {"HOME", "/h"}}, "C:\\KORVAL\\QELConfigTool"},
      {{{"ProgramData", ""}, {"ALLUSERSPROFILE", ""}}, "C:\\KORVAL\\QELConfigTool"},
      {{}, "C:\\KORVAL\\QELConfigTool"},
  };
  for (const auto& row : rows) EXPECT_EQ(AppDataFolderPath(FakeEnv(row.env)), row.folder);
  EXPECT_EQ(SettingsFilePath(""), "\\QEL_HID_SETUP.ini");
}

// The environment comes as UTF-8, like every path inside the tool: a data folder below
// C:\ProgramData\Prüfstand works whatever the ANSI code page is.
TEST(AppDataFolder, ProcessEnvironmentIsUtf8) {
  ASSERT_EQ(_wputenv(L"QEL_TEST_FOLDER=C:\\Pr\u00fcfstand \u20ac\u4e2d"), 0);
  EXPECT_EQ(ProcessEnv("QEL_TEST_FOLDER"),
            "C:\\Pr\xC3\xBC"
            "fstand \xE2\x82\xAC\xE4\xB8\xAD");
  EXPECT_EQ(ProcessEnv("QEL_TEST_UNSET_VARIABLE"), std::nullopt);
}
#endif

TEST(AppDataFolder, CreatedWithMissingParentsAndFoundAgain) {
  testing::TempDir dir;
  const std::string base = dir.File("a/b");
  const auto env = FakeEnv({{"ALLUSERSPROFILE", base}});
  const std::string expected = (fs::path(base) / "KORVAL" / "QELConfigTool").string();
  EXPECT_EQ(GetAppDataFolder(env), expected);
  EXPECT_TRUE(fs::is_directory(expected));
  testing::WriteBytes(SettingsFilePath(expected), "x");
  EXPECT_EQ(GetAppDataFolder(env), expected);  // exists now: kept as it is
  EXPECT_EQ(testing::ReadBytes(SettingsFilePath(expected)), "x");
}

TEST(AppDataFolder, EmptyWhenTheFolderCannotBeMade) {
  testing::TempDir dir;
  testing::WriteBytes(dir.File("file"), "x");
  EXPECT_EQ(GetAppDataFolder(FakeEnv({{"ProgramData", dir.File("file")}})), "");

  // The folder's own name taken by a file.
  fs::create_directories(dir.Path() / "base" / "KORVAL");
  testing::WriteBytes((dir.Path() / "base" / "KORVAL" / "QELConfigTool").string(), "x");
  EXPECT_EQ(GetAppDataFolder(FakeEnv({{"ProgramData", dir.File("base")}})), "");
}

#ifndef _WIN32
// Without a data folder the files that belong there are refused in the folder that could
// not be made, never written into "/".
TEST(AppDataFolder, FilesWithoutADataFolderAreRefusedNotPutIntoTheRoot) {
  testing::TempDir dir;
  testing::WriteBytes(dir.File("file"), "x");
  const auto env = FakeEnv({{"ProgramData", dir.File("file")}});
  const std::string folder = DataFolderForFiles(env);
  EXPECT_EQ(folder, dir.File("file") + "/KORVAL/QELConfigTool");
  try {
    IniFile(SettingsFilePath(folder)).WriteString("Language", "English", "1");
    ADD_FAILURE() << "written";
  } catch (const IniWriteError& error) {
    EXPECT_EQ(std::string(error.what()),
              "In " + folder + "/QEL_HID_SETUP.ini kann nicht geschrieben werden");
  }
  EXPECT_FALSE(fs::exists("/QEL_HID_SETUP.ini"));

  // Found (or made) again at every call.
  const auto usable = FakeEnv({{"ProgramData", dir.File("base2")}});
  EXPECT_EQ(DataFolderForFiles(usable), dir.File("base2") + "/KORVAL/QELConfigTool");
  fs::remove_all(dir.Path() / "base2");
  EXPECT_EQ(DataFolderForFiles(usable), dir.File("base2") + "/KORVAL/QELConfigTool");
  EXPECT_TRUE(fs::is_directory(dir.Path() / "base2" / "KORVAL" / "QELConfigTool"));
}
#endif

}  // namespace
}  // namespace qel
