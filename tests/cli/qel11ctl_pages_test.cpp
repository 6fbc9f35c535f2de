// qel11ctl read, write, store and display against a peer that answers like the virtual
// instrument: the same lines in the same order as the core page models send, and files
// written only when every line got an answer.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <mutex>

#include "core/link/hid_link.h"
#include "core/link/scpi_session.h"
#include "core/pages/parameter_file.h"
#include "core/pages/parameter_pages.h"
#include "process_runner.h"
#include "report_stream_peer.h"
#include "sim/instrument.h"
#include "sim/sim_backend.h"

namespace qel::testing {
namespace {

ProcessResult Ctl(const std::vector<std::string>& args) {
  return RunProcess(Qel11ctlPath(), args);
}

// A report-stream peer in front of the instrument model.
struct SimPeer {
  std::mutex mutex;
  sim::Instrument instrument{7};
  long silentAfter = -1;  // answer this many lines, then none
  long count = 0;
  ReportStreamPeer peer{QelHello(), [this](const std::string& line) {
                          std::lock_guard lock(mutex);
                          ReportStreamPeer::Answer answer;
                          answer.silent = silentAfter >= 0 && count >= silentAfter;
                          ++count;
                          if (!answer.silent) answer.text = instrument.HandleLine(line);
                          return answer;
                        }};
  std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    for (std::string line : peer.Lines()) {
      if (!line.empty() && line.back() == '\n') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }
};

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
  const auto r = Ctl({"--device", sim.peer.Device(), "read"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.rfind("[Info]\r\n", 0), 0u);
  EXPECT_NE(r.out.find("[LAN]\r\nIP:IP1="), std::string::npos);
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
