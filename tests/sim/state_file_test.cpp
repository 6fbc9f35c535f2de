// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/state_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "sim/instrument.h"
#include "sim/sim_backend.h"

namespace qel::sim {
namespace {

namespace fs = std::filesystem;

class StateFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("qel_sim_state_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const char* name) const { return (dir_ / name).string(); }
  static std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  static std::string Exchange(HidConnection& connection, const std::string& line) {
    std::vector<std::uint8_t> report(65, 0);
    std::copy(line.begin(), line.end(), report.begin() + 1);
    connection.Write(report.data(), report.size());
    std::uint8_t buffer[65];
    std::size_t delivered = 0;
    connection.Read(buffer, sizeof buffer, 1000, delivered);
    return std::string(reinterpret_cast<char*>(buffer) + 1);
  }

  fs::path dir_;
};

TEST_F(StateFileTest, StoredMemoriesSurviveARestart) {
  SimOptions options;
  options.stateFile = Path("state.txt");
  {
    SimBackend backend(options);
    auto connection = backend.Open(backend.DeviceInfo());
    for (const char* line :
         {"MODE PEAK", "DGIO:SET:OUT3:LIMI:LOW -1.5", "IP:IP4 7", "par:savw?", "MODE AC",
          "PROB:LOCK 6083", "PROB:NAME \"New\\name\"", "PROB:WRIT?", "INTE:CONS:MAG:GA3 8.25",
          "INTE:LOCK 6083", "INTE:SAVE?", "INTE:CONS:MAG:GA3 9"}) {
      Exchange(*connection, line);
    }
    // Each store wrote the file at once.
    EXPECT_NE(Slurp(options.stateFile).find("GA3=8.25"), std::string::npos);
  }
  SimBackend backend(options);
  auto connection = backend.Open(backend.DeviceInfo());
  // Power-up state: the stored copy, not the unsaved "MODE AC" or "GA3 9".
  EXPECT_EQ(Exchange(*connection, "MODE?"), "PEAK");
  EXPECT_EQ(Exchange(*connection, "DGIO:SET:OUT3:LIMI:LOW?"), "-1.5");
  EXPECT_EQ(Exchange(*connection, "IP:IP4?"), "7");
  EXPECT_EQ(Exchange(*connection, "PROB:NAME?").substr(0, 10), "\"New\\name ");
  EXPECT_EQ(Exchange(*connection, "INTE:CONS:MAG:GA3?"), "8.25");
  EXPECT_EQ(Exchange(*connection, "PROB:READ?"), "0");  // locked after power-up
  // Only the state file is in the folder: the temporary file was renamed.
  int files = 0;
  for (const auto& entry : fs::directory_iterator(dir_)) files += entry.is_regular_file();
  EXPECT_EQ(files, 1);
}

TEST_F(StateFileTest, TextFormatEscapesAndRoundTrips) {
  Instrument instrument;
  instrument.probe().eeprom().name = "A\\B\nC \x01";
  instrument.storedSettings().mode = kModeAc;
  const std::string text = FormatStateFile(instrument);
  EXPECT_NE(text.find("[settings]\n"), std::string::npos);
  EXPECT_NE(text.find("\nMODE=AC\n"), std::string::npos);
  EXPECT_NE(text.find("\nNAME=A\\\\B\\nC \\x01\n"), std::string::npos);
  Instrument other;
  std::string error;
  ASSERT_TRUE(ParseStateFile(text, other, error)) << error;
  EXPECT_EQ(other.probe().eeprom(), instrument.probe().eeprom());
  EXPECT_EQ(other.storedSettings(), instrument.storedSettings());
  EXPECT_EQ(other.constants().stored(), instrument.constants().stored());
}

TEST_F(StateFileTest, BadFilesAreRefusedNotOverwritten) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"[settings]\nMODE=XX\n", "MODE"},
      {"[probe]\nTYPE=9\n", "TYPE"},
      {"[constants]\nCONS:I1MA=abc\n", "CONS:I1MA"},
      {"[probe]\nNAME=a\\q\n", "line 2"},
      {"just text\n", "line 1"},
  };
  for (const auto& c : cases) {
    Instrument instrument;
    std::string error;
    EXPECT_FALSE(ParseStateFile(c.text, instrument, error)) << c.text;
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
  }
  const std::string path = Path("bad.txt");
  std::ofstream(path, std::ios::binary) << "[settings]\nMODE=XX\n";
  SimOptions options;
  options.stateFile = path;
  EXPECT_THROW(SimBackend backend(options), std::runtime_error);
  EXPECT_EQ(Slurp(path), "[settings]\nMODE=XX\n");
}

TEST_F(StateFileTest, MissingFileIsANewInstrumentAndUnknownKeysAreIgnored) {
  Instrument instrument;
  std::string error;
  EXPECT_TRUE(LoadStateFile(Path("none.txt"), instrument, error));
  EXPECT_TRUE(ParseStateFile("# c\n[settings]\nFUTURE=1\nUNIT=oe\n\n", instrument, error));
  EXPECT_EQ(instrument.storedSettings().unit, kUnitOersted);
}

TEST_F(StateFileTest, RecordFileGetsEveryReceivedLine) {
  const std::string path = Path("record.txt");
  std::ofstream(path, std::ios::binary) << "earlier\n";
  SimOptions options;
  options.recordFile = path;
  options.stopAnsweringAfter = 1;  // recorded whether answered or not
  SimBackend backend(options);
  auto connection = backend.Open(backend.DeviceInfo());
  Exchange(*connection, "MODE?\n");
  std::vector<std::uint8_t> report(65, 0);
  const std::string line = "UNIT GAUS\n";
  std::copy(line.begin(), line.end(), report.begin() + 1);
  connection->Write(report.data(), report.size());
  EXPECT_EQ(Slurp(path), "earlier\nMODE?\nUNIT GAUS\n");
}

}  // namespace
}  // namespace qel::sim
