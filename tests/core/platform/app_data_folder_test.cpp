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
  EXPECT_EQ(AppDataFolderPath(FakeEnv({{"ALLUSERSPROFILE", "X"}})), "X\\KORVAL\\QELConfigTool");
  EXPECT_EQ(AppDataFolderPath(FakeEnv({})), "C:\\KORVAL\\QELConfigTool");
  EXPECT_EQ(SettingsFilePath(""), "\\QEL_HID_SETUP.ini");
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
