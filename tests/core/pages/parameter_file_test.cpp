// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pages/parameter_file.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <filesystem>
#include <string>

#include "../diag/scripted_instrument.h"
#include "../platform/temp_dir.h"
#include "core/pages/parameter_pages.h"
#include "core/platform/ini_file.h"
#include "tricky_replies.h"

namespace qel {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const ParameterFileInfo kInfo{"18.06.2021 14:05:00", "LABOR-PC"};

std::string Fixture(const std::string& name) {
  return ReadBytes(std::string(QEL_TEST_DATA_DIR) + "/pages/" + name);
}

TEST(ParameterFile, InitialPagesByteForByte) {
  TempDir dir;
  const std::string path = dir.File("QEL11_Setup_Parameter_20210618_1405.QEL");
  SaveParameterFile(path, ParameterPages(), kInfo);
  const std::string expected = Fixture("initial.QEL");
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(ReadBytes(path), expected);
}

TEST(ParameterFile, AfterReadingTrickyRepliesByteForByte) {
  testing::ScriptedInstrument meter(testing::TrickyReplies());
  ParameterPages pages;
  pages.ReadAll(meter.Session());
  TempDir dir;
  const std::string path = dir.File("read.QEL");
  SaveParameterFile(path, pages, kInfo);
  EXPECT_EQ(ReadBytes(path), Fixture("after_read.QEL"));

  // and it opens to the same pages: saving them again gives the same bytes
  ParameterPages reopened;
  LoadParameterFile(path, reopened);
  EXPECT_EQ(reopened.OutLineFrame2.Funk.Index(), -1);
  EXPECT_EQ(reopened.OutLineFrame4.OG.Text(), "1E0013");
  EXPECT_EQ(BuildParameterFile(reopened, kInfo).Serialize(), Fixture("after_read.QEL"));
}

TEST(ParameterFile, SavingReplacesTheWholeFile) {
  TempDir dir;
  const std::string path = dir.File("p.QEL");
  WriteBytes(path, "[Extra]\r\nkey=1\r\n[Mode]\r\nMODE=2\r\nOLD=1\r\n");
  SaveParameterFile(path, ParameterPages(), kInfo);
  SaveParameterFile(path, ParameterPages(), kInfo);
  EXPECT_EQ(ReadBytes(path), Fixture("initial.QEL"));
}

TEST(ParameterFile, RefusedSaveReportsAndKeepsWhatWasThere) {
  TempDir dir;
  // a folder in place of the file
  const std::string folder = dir.File("taken.QEL");
  std::filesystem::create_directory(folder);
  WriteBytes(folder + "/inside", "kept");
  try {
    SaveParameterFile(folder, ParameterPages(), kInfo);
    FAIL() << "no error";
  } catch (const IniWriteError& error) {
    EXPECT_EQ(std::string(error.what()), "In " + folder + " kann nicht geschrieben werden");
  }
  EXPECT_EQ(ReadBytes(folder + "/inside"), "kept");

  const std::string missing = dir.File("no/such/folder.QEL");
  EXPECT_THROW(SaveParameterFile(missing, ParameterPages(), kInfo), IniWriteError);
  EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(ParameterFile, LoadingGivesDefaultsForMissingKeys) {
  TempDir dir;
  ParameterPages pages;
  pages.OutLineFrame2.OG.SetText("5");
  pages.LANFrame1.Ip_Adr_In.SetAddress("1", "2", "3", "4");
  pages.EIA232Frame1.Baud.SetIndex(4);
  LoadParameterFile(dir.File("missing.QEL"), pages);
  EXPECT_EQ(pages.EinheitenFrame1.Bereich.Index(), 0);
  EXPECT_EQ(pages.EinheitenFrame1.RangeItems()[3], "4500 mT (10 T)");
  EXPECT_EQ(pages.OutLineFrame2.OG.Text(), "0");
  EXPECT_EQ(pages.OutLineFrame2.UG.Text(), "0");
  EXPECT_EQ(pages.LANFrame1.Ip_Adr_In.Octet(1), "000");
  EXPECT_EQ(pages.EIA232Frame1.Baud.Index(), 0);

  // a file of another kind, and hand-edited values
  const std::string path = dir.File("edited.QEL");
  WriteBytes(path,
             "just text\r\n[KEYSBOT]\r\nFUNC=3\r\n[KEYSTOP]\r\nFUNC=4\r\n"
             "[Output1]\r\nDGIO:SET:OUT:FUNC=-1\r\nDGIO:SET:OUT:LOG=abc\r\n"
             "[Seri]\r\nSERI:COMA:MODE=-2\r\n");
  LoadParameterFile(path, pages);
  EXPECT_EQ(pages.TastenFrame2.Funk.Index(), 3);
  EXPECT_EQ(pages.TastenFrame1.Funk.Index(), -1);
  EXPECT_EQ(pages.OutLineFrame1.Funk.Index(), -1);
  EXPECT_EQ(pages.OutLineFrame1.Logic.Index(), 0);
  EXPECT_EQ(pages.EIA232Frame1.Mode.Index(), -1);
}

// Limit texts go into their lines unchanged, so one that is no number, above all one that
// carries further commands, loads as a missing key: "0". Empty text sends no limit line.
TEST(ParameterFile, LimitTextsThatAreNoNumbersLoadAsZero) {
  ParameterPages pages;
  LoadParameterFile(std::string(QEL_TEST_DATA_DIR) + "/pages/limit_texts.QEL", pages);
  testing::ScriptedInstrument meter;
  for (const OutLineModel* page :
       {&pages.OutLineFrame1, &pages.OutLineFrame2, &pages.OutLineFrame3, &pages.OutLineFrame4}) {
    page->WriteToDevice(meter.Session());
  }
  EXPECT_EQ(
      meter.Lines(),
      (std::vector<std::string>{
          "DGIO:SET:OUT1:FUNC IFIN", "DGIO:SET:OUT1:LOG 0", "DGIO:SET:OUT1:LIMI:HIGH 0",
          "DGIO:SET:OUT1:LIMI:LOW -2.5", "DGIO:SET:OUT2:FUNC NO", "DGIO:SET:OUT2:LOG 0",
          "DGIO:SET:OUT2:LIMI:HIGH -.", "DGIO:SET:OUT3:FUNC NO", "DGIO:SET:OUT3:LOG 0",
          "DGIO:SET:OUT3:LIMI:HIGH 1E0013", "DGIO:SET:OUT3:LIMI:LOW 0", "DGIO:SET:OUT4:FUNC NO",
          "DGIO:SET:OUT4:LOG 0", "DGIO:SET:OUT4:LIMI:HIGH 0", "DGIO:SET:OUT4:LIMI:LOW 0"}));
}

// What goes straight into an instrument must be a readable parameter file; whatever is
// refused leaves the pages as they were. Names may hold any characters.
TEST(ParameterFile, StrictLoadRefusesWhatIsNoParameterFile) {
  TempDir dir;
  const std::string good = dir.File("Prüfung ä€.QEL");
  SaveParameterFile(good, ParameterPages(), kInfo);
  WriteBytes(dir.File("text.txt"), "hello\r\n");
  WriteBytes(dir.File("info-only.QEL"), "[Info]\r\nDevice=KORVAL QEL11\r\n");
  WriteBytes(dir.File("one-page.QEL"), "[keysbot]\r\nFUNC=3\r\n");
  std::filesystem::create_directory(dir.File("folder.QEL"));
#ifdef _WIN32
  // Unreadable: held open by a handle that shares nothing, as another program may hold it.
  WriteBytes(dir.File("loop.QEL"), "[keysbot]\r\nFUNC=3\r\n");
  const HANDLE held = CreateFileW(std::filesystem::path(dir.File("loop.QEL")).c_str(), GENERIC_READ,
                                  0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
#else
  // Unreadable also for root: a link that points to itself.
  std::filesystem::create_symlink("loop.QEL", dir.File("loop.QEL"));
#endif
  struct Row {
    std::string path;
    ParameterFileLoad outcome;
    int lowerKeyAfter;  // 1 before the load
  };
  const std::vector<Row> rows = {
      {good, ParameterFileLoad::kLoaded, 0},
      {dir.File("one-page.QEL"), ParameterFileLoad::kLoaded, 3},
      {dir.File("missing.QEL"), ParameterFileLoad::kMissing, 1},
      {dir.File("folder.QEL"), ParameterFileLoad::kFolder, 1},
      {dir.File("loop.QEL"), ParameterFileLoad::kUnreadable, 1},
      {dir.File("text.txt"), ParameterFileLoad::kNotParameterFile, 1},
      {dir.File("info-only.QEL"), ParameterFileLoad::kNotParameterFile, 1},
  };
  for (const Row& row : rows) {
    ParameterPages pages;
    pages.TastenFrame2.Funk.SetIndex(1);
    EXPECT_EQ(LoadParameterFileStrictly(row.path, pages), row.outcome) << row.path;
    EXPECT_EQ(pages.TastenFrame2.Funk.Index(), row.lowerKeyAfter) << row.path;
  }
#ifdef _WIN32
  CloseHandle(held);
#endif
}

TEST(ParameterFile, PageSectionsAreTheSavedOnes) {
  std::vector<std::string> saved = BuildParameterFile(ParameterPages(), kInfo).ReadSectionNames();
  saved.erase(saved.begin());  // Info
  EXPECT_EQ(saved,
            std::vector<std::string>(kParameterPageSections.begin(), kParameterPageSections.end()));
}

TEST(ParameterFile, NamesAndFilters) {
  std::tm t{};
  t.tm_year = 2021 - 1900;
  t.tm_mon = 5;
  t.tm_mday = 18;
  t.tm_hour = 14;
  t.tm_min = 5;
  EXPECT_EQ(ProposedParameterFileName(t), "QEL11_Setup_Parameter_20210618_1405.QEL");
  t.tm_mon = 0;
  t.tm_mday = 2;
  t.tm_hour = 0;
  t.tm_min = 0;
  EXPECT_EQ(ProposedParameterFileName(t), "QEL11_Setup_Parameter_20210102_0000.QEL");
  EXPECT_EQ(kOpenParameterFilter, "QEL Parameter|*.QEL|Alle Dateien|*.*");
  EXPECT_EQ(kSaveParameterFilter, "QEL|*.QEL|Alle Dateien|*.*");
  EXPECT_EQ(kOpenParameterFileName, "QEL11_Setup_Parameter_*.QEL");
  EXPECT_FALSE(FormatSaveAtText(t).empty());
}

}  // namespace
}  // namespace qel
