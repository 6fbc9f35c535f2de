// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/ini_file.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>

#include "core/platform/atomic_file.h"
#include "temp_dir.h"

namespace qel {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::vector<std::string> FolderEntries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(IniFile, MissingFileGivesDefaults) {
  TempDir dir;
  const IniFile ini(dir.File("QEL_HID_SETUP.ini"));
  EXPECT_EQ(ini.ReadString("SCPI_Demo", "1", "dflt"), "dflt");
  EXPECT_TRUE(ini.ReadSectionNames().empty());
  EXPECT_TRUE(ini.ReadSectionKeys("SCPI_Demo").empty());
  EXPECT_FALSE(fs::exists(ini.Path()));
}

TEST(IniFile, WritesKeepEverythingElseByteForByte) {
  TempDir dir;
  const std::string path = dir.File("QEL_HID_SETUP.ini");
  WriteBytes(path,
             "; Einstellungen f\xFCr das Ger\xE4t\r\n"
             "[Other]\r\n"
             "Name = Stra\xDF"
             "e \xE4\xF6\xFC \r\n"
             "\r\n"
             "[SCPI_Demo]\r\n"
             "1=*IDN?\r\n"
             "# kein Kommentar\r\n"
             "\r\n"
             "[Language]\r\n"
             "English=0\r\n");
  IniFile ini(path);
  ini.WriteString("SCPI_Demo", "2", "MODE?");
  ini.WriteString("language", "ENGLISH", "1");
  ini.WriteString("New", "K\xFC", "\xDF");
  EXPECT_EQ(ReadBytes(path),
            "; Einstellungen f\xFCr das Ger\xE4t\r\n"
            "[Other]\r\n"
            "Name = Stra\xDF"
            "e \xE4\xF6\xFC \r\n"
            "\r\n"
            "[SCPI_Demo]\r\n"
            "1=*IDN?\r\n"
            "2=MODE?\r\n"
            "# kein Kommentar\r\n"
            "\r\n"
            "[Language]\r\n"
            "English=1\r\n"
            "[New]\r\n"
            "K\xFC=\xDF\r\n");
  EXPECT_EQ(ini.ReadString("Other", "name", ""),
            "Stra\xDF"
            "e \xE4\xF6\xFC");
  EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"QEL_HID_SETUP.ini"}));
}

TEST(IniFile, LfOnlyFileIsReadAndWrittenBackWithCrlf) {
  TempDir dir;
  const std::string path = dir.File("a.QEL");
  WriteBytes(path, "[A]\nx=1\n; c\n[B]\ny=\"2\"\n");
  IniFile ini(path);
  EXPECT_EQ(ini.ReadString("B", "y", ""), "2");
  EXPECT_EQ(ini.ReadSectionNames(), (std::vector<std::string>{"A", "B"}));
  ini.WriteString("A", "x", "3");
  EXPECT_EQ(ReadBytes(path), "[A]\r\nx=3\r\n; c\r\n[B]\r\ny=\"2\"\r\n");
}

TEST(IniFile, BatchIsOneWriteAndNothingOnException) {
  TempDir dir;
  const std::string path = dir.File("QEL_HID_SETUP.ini");
  IniFile ini(path);
  std::vector<std::pair<std::string, std::string>> rows;
  std::string expected = "[SCPI_Demo]\r\n";
  for (int row = 1; row <= 40; ++row) {
    rows.emplace_back(std::to_string(row), row == 3 ? "syst:err?" : "");
    expected += std::to_string(row) + "=" + rows.back().second + "\r\n";
  }
  ini.Edit([&](IniDocument& doc) {
    doc.WriteStrings("SCPI_Demo", rows);
    doc.WriteString("Language", "English", "0");
  });
  expected += "[Language]\r\nEnglish=0\r\n";
  EXPECT_EQ(ReadBytes(path), expected);

  EXPECT_THROW(ini.Edit([](IniDocument& doc) {
    doc.WriteString("Language", "English", "1");
    throw std::runtime_error("stop");
  }),
               std::runtime_error);
  EXPECT_THROW(ini.WriteString("Language", "a=b", "1"), std::invalid_argument);
  EXPECT_EQ(ReadBytes(path), expected);
}

TEST(IniFile, RefusedWriteThrowsTheMessageAndKeepsTheOldFile) {
  TempDir dir;
  const std::string noFolder = dir.File("missing/QEL_HID_SETUP.ini");
  try {
    IniFile(noFolder).WriteString("Language", "English", "1");
    FAIL() << "no error";
  } catch (const IniWriteError& error) {
    EXPECT_EQ(std::string(error.what()), "In " + noFolder + " kann nicht geschrieben werden");
    EXPECT_EQ(error.Path(), noFolder);
  }
  EXPECT_FALSE(fs::exists(dir.File("missing")));

  const std::string folderPath = dir.File("folder.ini");
  fs::create_directory(folderPath);
  WriteBytes(dir.File("folder.ini/keep"), "x");
  IniFile folderIni(folderPath);
  EXPECT_EQ(folderIni.ReadString("A", "k", "dflt"), "dflt");
  EXPECT_THROW(folderIni.WriteString("A", "k", "v"), IniWriteError);
  EXPECT_EQ(ReadBytes(dir.File("folder.ini/keep")), "x");
  EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"folder.ini"}));

#ifndef _WIN32
  // A pipe would block a plain read; it is no profile file.
  const std::string pipePath = dir.File("pipe.ini");
  ASSERT_EQ(mkfifo(pipePath.c_str(), 0600), 0);
  IniFile pipeIni(pipePath);
  EXPECT_EQ(pipeIni.ReadString("A", "k", "dflt"), "dflt");
  EXPECT_THROW(pipeIni.WriteString("A", "k", "v"), IniWriteError);
  EXPECT_TRUE(fs::is_fifo(pipePath));
#endif
}

#ifndef _WIN32
// A file-size limit makes the write fail part-way, as a full disk does.
TEST(IniFile, WriteThatRunsOutOfSpaceKeepsTheOldFile) {
  TempDir dir;
  const std::string path = dir.File("QEL_HID_SETUP.ini");
  const std::string old = "[Language]\r\nEnglish=0\r\n";
  WriteBytes(path, old);

  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto* previousHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  bool threw = false;
  try {
    IniFile(path).WriteString("SCPI_Demo", "1", std::string(10000, 'x'));
  } catch (const IniWriteError&) {
    threw = true;
  }
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previousHandler);

  EXPECT_TRUE(threw);
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"QEL_HID_SETUP.ini"}));
}

// A writer killed between creating and renaming its temporary file leaves it behind; the
// next save of the same file removes it, but never a file that another running process is
// writing, a file of another target, or a file that only looks similar.
TEST(IniFile, NextSaveRemovesTemporaryFilesOfKilledWriters) {
  TempDir dir;
  const fs::path target = dir.Path() / "QEL_HID_SETUP.ini";
  const pid_t child = fork();
  if (child == 0) _exit(0);
  ASSERT_GT(child, 0);
  waitpid(child, nullptr, 0);  // a process id that no longer runs
  const std::string dead = TemporaryFileName(target, child, 3).string();
  const std::string living = TemporaryFileName(target, getppid(), 0).string();
  const std::vector<std::string> kept = {
      living,
      TemporaryFileName(dir.Path() / "other.ini", child, 0).string(),
      "." + target.filename().string() + "." + std::to_string(child) + "-3.qeltmp.bak",
      "." + target.filename().string() + "." + std::to_string(child) + ".tmp",
  };
  WriteBytes((dir.Path() / dead).string(), std::string(4096, 'x'));
  for (const std::string& name : kept) WriteBytes((dir.Path() / name).string(), "y");

  IniFile(target).WriteString("A", "k", "1");
  std::vector<std::string> expected = kept;
  expected.push_back(target.filename().string());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(FolderEntries(dir.Path()), expected);
  EXPECT_EQ(dead, "." + target.filename().string() + "." + std::to_string(child) + "-3.qeltmp");
}

TEST(IniFile, ReplacementKeepsPermissionsAndSymbolicLinks) {
  TempDir dir;
  const std::string real = dir.File("real.ini");
  const std::string link = dir.File("link.ini");
  WriteBytes(real, "[A]\r\nk=1\r\n");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink(real, link);

  IniFile(link).WriteString("A", "k", "2");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadBytes(real), "[A]\r\nk=2\r\n");
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}
#endif

}  // namespace
}  // namespace qel
