// SPDX-License-Identifier: GPL-3.0-or-later
// qel11ctl read, write, store and display against a peer that answers like the virtual
// instrument: the same lines in the same order as the core page models send, and files
// written only when every line got an answer.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "core/link/hid_link.h"
#include "core/link/scpi_session.h"
#include "core/pages/parameter_file.h"
#include "core/pages/parameter_pages.h"
#include "process_runner.h"
#include "report_stream_peer.h"
#include "sim/instrument.h"
#include "sim/sim_backend.h"
#include "sim_peer.h"

namespace qel::testing {
namespace {

ProcessResult Ctl(const std::vector<std::string>& args) {
  return RunProcess(Qel11ctlPath(), args);
}

// What the core page models send for an action, run in-process.
std::vector<std::string> CoreLines(const std::function<void(ScpiSession&)>& action) {
  sim::SimBackend backend;
  MemoryLog memo;
  HidLink link(backend, memo);
  link.ScanNow();
  ScpiSession session(link);
  action(session);
  return backend.ReceivedLines();
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct TempFolder {
  std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("qel11ctl-" + std::to_string(::getpid()));
  TempFolder() { std::filesystem::create_directories(path); }
  ~TempFolder() { std::filesystem::remove_all(path); }
};

TEST(Qel11ctlPages, ReadSendsTheReadAllLinesAndWritesTheFile) {
  SimPeer sim;
  TempFolder dir;
  const auto file = dir.path / "setup.QEL";
  const auto r = Ctl({"--device", sim.peer.Device(), "read", "-o", file.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto expected = CoreLines([](ScpiSession& s) { ParameterPages().ReadAll(s); });
  EXPECT_EQ(expected.size(), 39u);
  EXPECT_EQ(sim.Lines(), expected);
  const std::string bytes = ReadFile(file);
  EXPECT_EQ(bytes.rfind("[Info]\r\nDevice=KORVAL QEL11\r\nSave at=", 0), 0u) << bytes;
  EXPECT_NE(bytes.find("\r\n[Mode]\r\nMODE=0\r\nUNIT=0\r\nRANG:SET=1\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("\r\n[Seri]\r\nSERI:COMA:BAUD="), std::string::npos);
}

TEST(Qel11ctlPages, ReadToStdoutIsTheSameFile) {
  SimPeer sim;
  TempFolder dir;
  const auto file = dir.path / "setup.QEL";
  ASSERT_EQ(Ctl({"--device", sim.peer.Device(), "read", "-o", file.string()}).exitCode, 0);
  // The file as written, but for the minute it was saved at.
  const std::regex savedAt("Save at=[^\r]*");
  const std::string expected = std::regex_replace(ReadFile(file), savedAt, "");
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"read"}, std::vector<std::string>{"read", "-o", "-"}}) {
    std::vector<std::string> all = {"--device", sim.peer.Device()};
    all.insert(all.end(), args.begin(), args.end());
    const auto r = Ctl(all);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(std::regex_replace(r.out, savedAt, ""), expected) << args.back();
  }
}

TEST(Qel11ctlPages, ReadWithoutEveryAnswerWritesNothing) {
  SimPeer sim;
  sim.silentAfter = 20;
  TempFolder dir;
  const auto file = dir.path / "setup.QEL";
  std::ofstream(file) << "old";
  const auto r =
      Ctl({"--device", sim.peer.Device(), "--timeout", "200", "read", "-o", file.string()});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(ReadFile(file), "old");
  EXPECT_NE(r.err.find("nothing written"), std::string::npos) << r.err;
}

TEST(Qel11ctlPages, WriteSendsTheWriteAllLinesOfTheFile) {
  SimPeer sim;
  TempFolder dir;
  const auto file = dir.path / "setup.QEL";
  ParameterPages pages;
  pages.OutLineFrame4.Funk.SetIndex(5);
  pages.TastenFrame2.Funk.SetIndex(2);
  SaveParameterFile(file.string(), pages, {"now", "pc"});
  const auto r = Ctl({"--device", sim.peer.Device(), "write", file.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  ParameterPages loaded;
  LoadParameterFile(file.string(), loaded);
  EXPECT_EQ(sim.Lines(), CoreLines([&](ScpiSession& s) { loaded.WriteAll(s); }));
  const auto lines = sim.Lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "DGIO:SET:OUT4:FUNC IFOU"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "KEYS:BOT:FUNC PKNL"), lines.end());
}

TEST(Qel11ctlPages, WriteOfMissingFileIsAFileError) {
  SimPeer sim;
  const auto r = Ctl({"--device", sim.peer.Device(), "write", "/no/such/file.QEL"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(sim.Lines().empty());
}

// Whatever is no readable parameter file sends nothing; the message names the path as
// typed.
TEST(Qel11ctlPages, WriteRefusesWhatIsNoParameterFile) {
  TempFolder dir;
  std::ofstream(dir.path / "text.txt") << "hello\n";
  std::filesystem::create_directory(dir.path / "folder.QEL");
  const std::vector<std::pair<std::string, std::string>> rows = {
      {"missing.QEL", ": no such file\n"},
      {"folder.QEL", ": a folder, not a parameter file\n"},
      {"text.txt",
       ": not a parameter file (none of the sections Mode, Output1..4, Input1..3, "
       "KEYSTOP, KEYSBOT, LAN, Seri)\n"}};
  for (const auto& [name, why] : rows) {
    SimPeer sim;
    const std::string path = (dir.path / name).string();
    const auto r = Ctl({"--device", sim.peer.Device(), "write", path});
    EXPECT_EQ(r.exitCode, 2) << name;
    EXPECT_EQ(r.err, "qel11ctl: " + path + why);
    EXPECT_TRUE(sim.Lines().empty()) << name;
  }
}

TEST(Qel11ctlPages, WriteRefusesAnUnreadableFile) {
  TempFolder dir;
  const std::string path = (dir.path / "loop.QEL").string();
  std::filesystem::create_symlink("loop.QEL", path);  // unreadable for root too
  SimPeer sim;
  const auto r = Ctl({"--device", sim.peer.Device(), "write", path});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.err, "qel11ctl: " + path + ": cannot be read\n");
  EXPECT_TRUE(sim.Lines().empty());
}

// Any characters in the name; a limit that would carry further commands goes out as "0".
TEST(Qel11ctlPages, WriteSendsTheValuesOfANonAsciiNamedFile) {
  SimPeer sim;
  TempFolder dir;
  const auto file = dir.path / "Prüfung €.QEL";
  std::ofstream(file) << "[Output1]\r\nDGIO:SET:OUT:FUNC=5\r\n"
                         "DGIO:SET:OUT:LIMI:HIGH=1;:MODE AC;:UNIT GAUS\r\n";
  const auto r = Ctl({"--device", sim.peer.Device(), "write", file.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto lines = sim.Lines();
  ASSERT_GE(lines.size(), 7u);
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 3, lines.begin() + 7),
            (std::vector<std::string>{"DGIO:SET:OUT1:FUNC IFOU", "DGIO:SET:OUT1:LOG 0",
                                      "DGIO:SET:OUT1:LIMI:HIGH 0", "DGIO:SET:OUT1:LIMI:LOW 0"}));
  for (const std::string& line : lines) EXPECT_EQ(line.find(';'), std::string::npos) << line;
}

// A reply outside its line's list or a number that does not parse fails the read and names
// the line; --lenient writes what the window would save.
TEST(Qel11ctlPages, ReadOfRepliesThatDoNotFit) {
  TempFolder dir;
  const auto file = dir.path / "setup.QEL";
  const std::string named =
      "qel11ctl: the reply to DGIO:SET:OUT2:FUNC? does not fit: \"IFXX\"\n"
      "qel11ctl: the reply to DGIO:SET:OUT3:LIMI:LOW? does not fit: \"1.2.3#$01\"\n";
  struct Row {
    std::vector<std::string> args;
    int exitCode;
    bool written;
  };
  const std::vector<Row> rows = {{{"read", "-o", file.string()}, 1, false},
                                 {{"read"}, 1, false},
                                 {{"read", "-o", file.string(), "--lenient"}, 0, true}};
  for (const Row& row : rows) {
    SimPeer sim;
    sim.replaced = {{"DGIO:SET:OUT2:FUNC?", "IFXX"}, {"DGIO:SET:OUT3:LIMI:LOW?", "1.2.3\x01"}};
    std::vector<std::string> args = {"--device", sim.peer.Device()};
    args.insert(args.end(), row.args.begin(), row.args.end());
    const auto r = Ctl(args);
    EXPECT_EQ(r.exitCode, row.exitCode) << r.err;
    EXPECT_EQ(r.err.rfind(named, 0), 0u) << r.err;
    EXPECT_EQ(std::filesystem::exists(file), row.written);
    EXPECT_TRUE(r.out.empty());
  }
  const std::string bytes = ReadFile(file);
  EXPECT_NE(bytes.find("[Output2]\r\nDGIO:SET:OUT:FUNC=-1\r\n"), std::string::npos) << bytes;
  EXPECT_NE(bytes.find("[Output3]\r\nDGIO:SET:OUT:FUNC=0\r\nDGIO:SET:OUT:LOG=0\r\n"
                       "DGIO:SET:OUT:LIMI:HIGH=0.0000\r\nDGIO:SET:OUT:LIMI:LOW=0.0000\r\n"),
            std::string::npos)
      << bytes;
}

TEST(Qel11ctlPages, StoreAndDisplay) {
  SimPeer sim;
  auto r = Ctl({"--device", sim.peer.Device(), "store"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(sim.Lines(), std::vector<std::string>{"par:savw?"});
  r = Ctl({"--device", sim.peer.Device(), "display"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  const auto lines = sim.Lines();
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()),
            (std::vector<std::string>{"mode?", ":read:dc?", ":rang?;unit?"}));
  // DC mode: only the DC value is visible, e.g. "DC_Out\t+25.28 mT "
  EXPECT_EQ(r.out.rfind("DC_Out\t+", 0), 0u) << r.out;
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1);
  EXPECT_EQ(r.out.substr(r.out.size() - 5), " mT \n");
}

// A live read whose replies do not fit is no reading: the labels as the window shows
// them, the lines named on stderr, exit 1.
TEST(Qel11ctlPages, DisplayOfRepliesThatDoNotFit) {
  const std::vector<std::pair<std::map<std::string, std::string>, std::string>> rows = {
      {{{"mode?", "DCX"}}, "qel11ctl: the reply to mode? does not fit\n"},
      {{{":read:dc?", "1.2;3"}}, "qel11ctl: the reply to :read:dc? does not fit\n"},
      {{{":rang?;unit?", "0"}, {":read:dc?", "x"}},
       "qel11ctl: the reply to :read:dc? does not fit\n"
       "qel11ctl: the reply to :rang?;unit? does not fit\n"},
  };
  for (const auto& [replaced, named] : rows) {
    SimPeer sim;
    sim.replaced = replaced;
    const auto r = Ctl({"--device", sim.peer.Device(), "display"});
    EXPECT_EQ(r.exitCode, 1) << named;
    EXPECT_EQ(r.err, named);
    EXPECT_EQ(r.out.rfind("DC_Out\t", 0), 0u) << r.out;
  }
}

// The reading takes the decimal separator of the user's locale (ctest provides de_DE.UTF-8).
TEST(Qel11ctlPages, DisplayUsesTheLocalesDecimalSeparator) {
  const std::vector<std::pair<std::string, std::string>> rows = {
      {"C", "DC_Out\t+25.2"}, {"C.UTF-8", "DC_Out\t+25.2"}, {"de_DE.UTF-8", "DC_Out\t+25,2"}};
  for (const auto& [locale, start] : rows) {
    SimPeer sim;
    const auto r = RunProcess("/usr/bin/env", {"LC_ALL=" + locale, Qel11ctlPath(), "--device",
                                               sim.peer.Device(), "display"});
    EXPECT_EQ(r.exitCode, 0) << locale << r.err;
    EXPECT_EQ(r.out.rfind(start, 0), 0u) << locale << ": " << r.out;
  }
}

TEST(Qel11ctlPages, DisplayInPeakModeShowsAllPeakLabelsInOrder) {
  SimPeer sim;
  sim.instrument.HandleLine("MODE PEAK");
  const auto r = Ctl({"--device", sim.peer.Device(), "display"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  std::vector<std::string> names;
  std::istringstream out(r.out);
  for (std::string line; std::getline(out, line);) names.push_back(line.substr(0, line.find('\t')));
  EXPECT_EQ(names, (std::vector<std::string>{"DC_Out", "PFmin_Out", "PFmax_Out", "PFabs_Out",
                                             "PSmin_Out", "PSmax_Out", "PSabs_Out"}));
}

}  // namespace
}  // namespace qel::testing
