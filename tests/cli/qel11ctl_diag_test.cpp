// SPDX-License-Identifier: GPL-3.0-or-later
// qel11ctl info, errors and hardcopy: the exact lines on the wire, what is printed in
// which language, the JPEG file, and the exit status when the instrument fails.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "process_runner.h"
#include "report_stream_peer.h"

namespace qel::testing {
namespace {

namespace fs = std::filesystem;

// A folder of its own per test, which is also the data folder the tool reads its
// settings file from (ProgramData), so the language never comes from the machine.
class Scratch {
 public:
  Scratch() {
    std::string pattern = (fs::temp_directory_path() / "qel-diag-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "mkdtemp failed";
    path_ = pattern;
  }
  ~Scratch() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  std::string Path() const { return path_.string(); }
  void WriteSettings(const std::string& text) const {
    fs::create_directories(path_ / "KORVAL" / "QELConfigTool");
    std::ofstream(path_ / "KORVAL" / "QELConfigTool" / "QEL_HID_SETUP.ini", std::ios::binary)
        << text;
  }

 private:
  fs::path path_;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// qel11ctl with the system language `locale` and the settings of `scratch`.
ProcessResult CtlIn(const std::string& locale, const Scratch& scratch,
                    const std::vector<std::string>& args) {
  std::vector<std::string> envArgs = {
      "-u",          "LANG", "-u", "LANGUAGE", "LC_ALL=" + locale, "ProgramData=" + scratch.Path(),
      Qel11ctlPath()};
  envArgs.insert(envArgs.end(), args.begin(), args.end());
  return RunProcess("/usr/bin/env", envArgs);
}

// qel11ctl with a German system language and the settings of `scratch`.
ProcessResult Ctl(const Scratch& scratch, const std::vector<std::string>& args) {
  return CtlIn("de_DE.UTF-8", scratch, args);
}

const std::vector<std::string> kInfoLines = {"*idnt?\n",      "SN:UNIT?\n",  "SN:HW?\n",
                                             "SN:SW?\n",      "SN:CALI?\n",  "Probe:NAME?\n",
                                             "Probe:TYPE?\n", "Probe:SN?\n", "Probe:SNEP?\n"};

ReportStreamPeer::Answer Identity(const std::string& line) {
  if (line == "*idnt?") return {"KORVAL QEL11 Teslameter"};
  if (line == "SN:UNIT?") return {"11230042"};
  if (line == "SN:HW?") return {"HW 2.1"};
  if (line == "SN:SW?") return {"SW 1.07"};
  if (line == "SN:CALI?") return {"15.03.2024 KORVAL"};
  if (line == "Probe:NAME?") return {"\"HS-TR 10T       KAL 03.2024     \""};
  if (line == "Probe:TYPE?") return {"3"};
  if (line == "Probe:SN?") return {"\"150324017\""};
  if (line == "Probe:SNEP?") return {"2D00000B1C6E4A23"};
  return {""};
}

TEST(Qel11ctlInfo, PrintsTheTwelveRowsInUtf8) {
  Scratch scratch;
  ReportStreamPeer peer(QelHello(), Identity);
  const auto r = Ctl(scratch, {"--device", peer.Device(), "info"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(peer.Lines(), kInfoLines);
  EXPECT_EQ(r.out,
            "Ger\xC3\xA4te Information\t\n"
            "SCPI IDNT\tKORVAL QEL11 Teslameter\n"
            "Seriennummer\t11230042\n"
            "Hardware Stand\tHW 2.1\n"
            "Software Stand\tSW 1.07\n"
            "Kalibrier Info\t15.03.2024 KORVAL\n"
            "Sonden Information\t\n"
            "Bezeichnung\tHS-TR 10T       \n"
            "Type\tTransversal Hoch Feld\n"
            "Seriennummer 1\t150324017\n"
            "Seriennummer 2\t2D00000B1C6E4A23\n"
            "Kalibrier Info\tKAL 03.2024     \n");
}

TEST(Qel11ctlInfo, CaptionsInEnglishWhenTheSettingsChoseIt) {
  Scratch scratch;
  scratch.WriteSettings("[Language]\r\nEnglish=1\r\n");
  ReportStreamPeer peer(QelHello(), Identity);
  const auto r = Ctl(scratch, {"--device", peer.Device(), "info"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "Device information\t\n"
            "SCPI IDNT\tKORVAL QEL11 Teslameter\n"
            "Serial Number\t11230042\n"
            "Hardware version\tHW 2.1\n"
            "Software version\tSW 1.07\n"
            "Calibration info\t15.03.2024 KORVAL\n"
            "Probe information\t\n"
            "Name\tHS-TR 10T       \n"
            "Type\tTransversal Hoch Feld\n"  // a value: never translated
            "Serial number 1\t150324017\n"
            "Serial number 2\t2D00000B1C6E4A23\n"
            "Calibration info\tKAL 03.2024     \n");
}

TEST(Qel11ctlInfo, LanguageFromSystemUnlessTheSettingsChoseOne) {
  struct Row {
    std::string locale;
    std::string settings;  // empty: no settings file
    std::string firstLine;
  };
  const std::vector<Row> rows = {
      {"de_DE.UTF-8", "", "Ger\xC3\xA4te Information\t"},
      {"de_AT.UTF-8", "", "Ger\xC3\xA4te Information\t"},
      {"de_CH.UTF-8", "", "Ger\xC3\xA4te Information\t"},
      {"en_DE.UTF-8", "", "Ger\xC3\xA4te Information\t"},  // any language in Germany
      {"fr_CH.UTF-8", "", "Device information\t"},
      {"en_US.UTF-8", "", "Device information\t"},
      {"C", "", "Device information\t"},
      {"en_US.UTF-8", "[Language]\r\nEnglish=0\r\n", "Ger\xC3\xA4te Information\t"},
      {"de_DE.UTF-8", "[Language]\r\nEnglish=0x1\r\n", "Device information\t"},
  };
  for (const auto& row : rows) {
    Scratch scratch;
    if (!row.settings.empty()) scratch.WriteSettings(row.settings);
    ReportStreamPeer peer(QelHello(), Identity);
    const auto r = CtlIn(row.locale, scratch, {"--device", peer.Device(), "info"});
    EXPECT_EQ(r.exitCode, 0) << row.locale << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), row.firstLine)
        << row.locale << " " << row.settings;
  }
}

TEST(Qel11ctlInfo, UnansweredQueryExits1) {
  Scratch scratch;
  ReportStreamPeer peer(QelHello(), [](const std::string& line) {
    ReportStreamPeer::Answer a = Identity(line);
    a.silent = line == "Probe:SN?";
    return a;
  });
  const auto r = Ctl(scratch, {"--device", peer.Device(), "--timeout", "200", "info"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.out.find("Seriennummer 1\t\n"), std::string::npos) << r.out;
  EXPECT_NE(r.err.find("no answer"), std::string::npos) << r.err;
}

TEST(Qel11ctlErrors, EmptiesTheQueueOneEntryPerLine) {
  Scratch scratch;
  std::atomic<int> queries{0};
  ReportStreamPeer peer(QelHello(), [&queries](const std::string& line) {
    if (line != "syst:err?") return ReportStreamPeer::Answer{""};
    switch (queries++) {
      case 0:
        return ReportStreamPeer::Answer{"-113,\"Undefined header\""};
      case 1:
        return ReportStreamPeer::Answer{"-224,\"Illegal parameter value\""};
      default:
        return ReportStreamPeer::Answer{"0,\"No error\""};
    }
  });
  const auto r = Ctl(scratch, {"--device", peer.Device(), "errors"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "-113,\"Undefined header\"\n-224,\"Illegal parameter value\"\n0,\"No error\"\n");
  EXPECT_EQ(peer.Lines(), std::vector<std::string>(3, "syst:err?\n"));
}

TEST(Qel11ctlErrors, ReadOutWithoutTheStopTextExits1) {
  struct Row {
    std::string reply;
    bool silent;
    std::size_t queries;
    std::string message;
  };
  const std::vector<Row> rows = {
      {"0,\"no error\"", false, 100, "did not end after 100 entries"},  // code 0, other case
      {"", false, 1, "empty reply"},
      {"", true, 1, "no answer"},
  };
  for (const Row& row : rows) {
    Scratch scratch;
    ReportStreamPeer peer(QelHello(), [&row](const std::string&) {
      ReportStreamPeer::Answer a{row.reply};
      a.silent = row.silent;
      return a;
    });
    const auto r = Ctl(scratch, {"--device", peer.Device(), "--timeout", "200", "errors"});
    EXPECT_EQ(r.exitCode, 1) << row.message;
    EXPECT_EQ(peer.Lines().size(), row.queries) << row.message;
    EXPECT_NE(r.err.find(row.message), std::string::npos) << r.err;
  }
}

TEST(Qel11ctlErrors, ListsTheVirtualInstrumentsEmptyQueue) {
  Scratch scratch;
  const auto r = Ctl(scratch, {"--device", "sim", "errors"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "0,\"No error\"\n");
}

// Width, height, components and whether the frame is baseline, from the JPEG's SOF.
struct JpegFrame {
  int width = 0, height = 0, components = 0;
  bool baseline = false;
};

std::optional<JpegFrame> ReadJpegFrame(const std::string& bytes) {
  if (bytes.size() < 4 || bytes.compare(0, 2, "\xFF\xD8") != 0 ||
      bytes.compare(bytes.size() - 2, 2, "\xFF\xD9") != 0)
    return std::nullopt;
  std::size_t at = 2;
  while (at + 9 < bytes.size() && static_cast<unsigned char>(bytes[at]) == 0xFF) {
    const auto marker = static_cast<unsigned char>(bytes[at + 1]);
    const auto u8 = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const std::size_t length = u8(at + 2) << 8 | u8(at + 3);
    if (marker >= 0xC0 && marker <= 0xC2) {
      return JpegFrame{u8(at + 7) << 8 | u8(at + 8), u8(at + 5) << 8 | u8(at + 6), u8(at + 9),
                       marker == 0xC0};
    }
    at += 2 + length;
  }
  return std::nullopt;
}

TEST(Qel11ctlHardcopy, WritesTheComposedImageAsJpeg) {
  Scratch scratch;
  const std::string path = scratch.File("shot.jpg");
  const auto r = Ctl(scratch, {"--device", "sim", "hardcopy", "-o", path});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "");
  const auto frame = ReadJpegFrame(ReadFile(path));
  ASSERT_TRUE(frame.has_value());
  EXPECT_EQ(frame->width, 284);
  EXPECT_EQ(frame->height, 84);
  EXPECT_EQ(frame->components, 3);
  EXPECT_TRUE(frame->baseline);
}

// The 25 lines of a capture, as the instrument sees them; chunks answered with a
// header and zero bytes.
ReportStreamPeer::Answer Display(const std::string& line) {
  if (line == "INTE:HC?") return {"#40048" + std::string(48, '\0')};
  return {""};
}

TEST(Qel11ctlHardcopy, SendsTheCaptureLines) {
  Scratch scratch;
  ReportStreamPeer peer(QelHello(), Display);
  const auto r = Ctl(scratch, {"--device", peer.Device(), "hardcopy", "-o", scratch.File("a.jpg")});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  std::vector<std::string> expected = {"INTE:HCLN 48\n", "INTE:HCOF 0\n"};
  expected.insert(expected.end(), 21, "INTE:HC?\n");
  expected.insert(expected.end(), {"INTE:HCLN 16\n", "INTE:HC?\n"});
  EXPECT_EQ(peer.Lines(), expected);
}

TEST(Qel11ctlHardcopy, UnansweredLineWritesNoFile) {
  for (const int answered : {0, 10}) {
    Scratch scratch;
    const std::string path = scratch.File("shot.jpg");
    { std::ofstream(path, std::ios::binary) << "older picture"; }
    std::atomic<int> lines{0};
    ReportStreamPeer peer(QelHello(), [&](const std::string& line) {
      ReportStreamPeer::Answer a = Display(line);
      a.silent = lines++ >= answered;
      return a;
    });
    const auto r =
        Ctl(scratch, {"--device", peer.Device(), "--timeout", "200", "hardcopy", "-o", path});
    EXPECT_EQ(r.exitCode, 1) << answered;
    EXPECT_EQ(ReadFile(path), "older picture") << answered;
    EXPECT_NE(r.err.find("not written"), std::string::npos) << r.err;
  }
}

TEST(Qel11ctlHardcopy, UnwritableFileExits2) {
  Scratch scratch;
  const std::string path = scratch.File("missing/shot.jpg");
  const auto r = Ctl(scratch, {"--device", "sim", "hardcopy", "-o", path});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("In " + path + " kann nicht geschrieben werden"), std::string::npos)
      << r.err;
  EXPECT_FALSE(fs::exists(path));
}

TEST(Qel11ctlDiag, UsageAndAbsentInstrument) {
  Scratch scratch;
  EXPECT_EQ(Ctl(scratch, {"--device", "sim", "hardcopy"}).exitCode, 2);  // no -o
  EXPECT_EQ(Ctl(scratch, {"--device", "sim", "info", "extra"}).exitCode, 2);
  int port = 0;
  {
    ReportStreamPeer closed(QelHello(), Identity);
    port = closed.Port();
  }
  const std::string nobody = "tcp:127.0.0.1:" + std::to_string(port);
  for (const std::vector<std::string>& command : std::vector<std::vector<std::string>>{
           {"info"}, {"errors"}, {"hardcopy", "-o", scratch.File("x.jpg")}}) {
    std::vector<std::string> args = {"--device", nobody};
    args.insert(args.end(), command.begin(), command.end());
    const auto r = Ctl(scratch, args);
    EXPECT_EQ(r.exitCode, 1) << command[0];
    EXPECT_EQ(r.out, "") << command[0];
    EXPECT_NE(r.err.find("no instrument found"), std::string::npos) << r.err;
  }
  EXPECT_FALSE(fs::exists(scratch.File("x.jpg")));
}

}  // namespace
}  // namespace qel::testing
