// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/hid_link.h"

#include <gtest/gtest.h>

#include "fake_backend.h"

namespace qel {
namespace {

using testing::FakeBackend;
using testing::FakeDevice;
using testing::MakeInfo;
using testing::Report;

struct LinkFixture {
  FakeBackend backend;
  MemoryLog memo;
  HidLink link{backend, memo};
  std::shared_ptr<FakeDevice> Plug(int in = 65, int out = 65, std::uint16_t pid = kQelProductId) {
    auto device = backend.Add(MakeInfo("/dev/hidraw0", kQelVendorId, pid, in, out));
    link.ScanNow();
    return device;
  }
};

std::vector<std::uint8_t> ExpectedReport(const std::string& text, std::size_t length) {
  std::vector<std::uint8_t> buffer(66, 0);
  for (std::size_t i = 0; i < text.size() && i < 65; ++i) buffer[i + 1] = text[i];
  buffer.resize(length);
  return buffer;
}

TEST(HidLinkReport, OutputReportBytesForBothLengths) {
  // (output report length, text length) -> the bytes that reach the device
  for (int length : {65, 66}) {
    for (std::size_t textLength : {64u, 65u, 66u, 70u}) {
      LinkFixture f;
      auto device = f.Plug(65, length);
      std::string text;
      for (std::size_t i = 0; i < textLength; ++i) text.push_back(static_cast<char>('A' + i % 26));
      ASSERT_TRUE(f.link.WriteReport(text));
      ASSERT_EQ(device->written.size(), 1u);
      const auto& written = device->written[0];
      ASSERT_EQ(written.size(), static_cast<std::size_t>(length)) << textLength;
      EXPECT_EQ(written, ExpectedReport(text, length)) << length << "/" << textLength;
      // what of the text arrives: 64 characters over a 65-byte report, 65 over 66
      const std::size_t carried = std::min<std::size_t>(textLength, length - 1);
      EXPECT_EQ(std::string(written.begin() + 1, written.begin() + 1 + carried),
                text.substr(0, carried));
    }
  }
}

TEST(HidLinkReport, ReplyTextFromDeliveredBytes) {
  struct Row {
    std::vector<std::uint8_t> report;
    std::string text;
  };
  std::vector<std::uint8_t> full(65, 0);
  full[1] = 'O';
  full[2] = 'K';
  full[3] = '\r';
  full[4] = '\n';
  std::string fullText(64, '\0');
  fullText[0] = 'O';
  fullText[1] = 'K';
  fullText[2] = '\r';
  fullText[3] = '\n';
  const std::vector<Row> rows = {
      {{}, ""},                                          // nothing delivered
      {{0x00}, ""},                                      // the report ID alone
      {{0x00, 'X'}, "X"},                                // one reply byte
      {{0x00, 'A', 0x00, 'B'}, std::string("A\0B", 3)},  // NUL inside stays
      {full, fullText},  // 65 bytes: 64 characters, line end and NULs included
  };
  for (const Row& row : rows) {
    LinkFixture f;
    auto device = f.Plug();
    device->answers.push_back(row.report);
    EXPECT_EQ(f.link.Exchange("X?\n"), row.text) << row.report.size();
  }
}

TEST(HidLinkReport, LongerInputReportIsCutAt65Bytes) {
  LinkFixture f;
  auto device = f.Plug(70, 65);
  std::vector<std::uint8_t> report(70, 'z');
  report[0] = 0;
  device->answers.push_back(report);
  EXPECT_EQ(f.link.Exchange("X?\n"), std::string(64, 'z'));
  EXPECT_EQ(f.link.LastReport()[64], 'z');
}

TEST(HidLinkReport, LastReportKeepsBytesAfterTheId) {
  LinkFixture f;
  auto device = f.Plug();
  auto report = Report("HC0001", 65);
  report[7] = 0xFF;
  report[64] = 0x80;
  device->answers.push_back(report);
  f.link.Exchange("INTE:HC?\n");
  EXPECT_EQ(f.link.LastReport()[0], 'H');
  EXPECT_EQ(f.link.LastReport()[6], 0xFF);
  EXPECT_EQ(f.link.LastReport()[63], 0x80);
}

TEST(HidLinkReport, NoDeviceSendsNothingAndLogsNothing) {
  LinkFixture f;
  f.link.SetDebug(true);
  EXPECT_FALSE(f.link.WriteReport("*IDN?\n"));
  EXPECT_EQ(f.link.Exchange("*IDN?\n"), "");
  EXPECT_EQ(f.memo.LineCount(), 0u);
  EXPECT_FALSE(f.link.LastExchangeAnswered());
}

TEST(HidLinkLog, DebugLinesAreEscaped) {
  LinkFixture f;
  auto device = f.Plug();
  f.link.SetDebug(true);
  f.memo.Clear();
  device->answers.push_back(std::vector<std::uint8_t>(65, 0));
  f.link.Exchange("*IDN?\n");
  ASSERT_EQ(f.memo.LineCount(), 2u);
  EXPECT_EQ(f.memo.Lines()[0], "SND: >*IDN?#$0A<");
  std::string nuls;
  for (int i = 0; i < 64; ++i) nuls += "#$00";
  EXPECT_EQ(f.memo.Lines()[1], "REC: >" + nuls + "<");
}

TEST(HidLinkLog, WithoutDebugOnlyScanLinesAreLogged) {
  LinkFixture f;
  auto device = f.Plug();
  FakeBackend::AnswerAlways(*device, "1");
  f.link.Exchange("A?\n");
  EXPECT_EQ(f.memo.Lines(), (std::deque<std::string>{
                                "Device Change ", "DEV: KORVAL QEL11 Vendor:$04D8 Product:$FE78"}));
}

TEST(HidLinkLog, MemoAttachedLaterGetsOnlyWhatComesAfter) {
  FakeBackend backend;
  backend.Add(MakeInfo("/dev/hidraw0", kQelVendorId, kQelProductId));
  HidLink link(backend);
  link.SetDebug(true);
  link.ScanNow();  // logged into nothing
  MemoryLog memo;
  link.AttachMemo(&memo);
  link.WriteReport("A");
  link.AttachMemo(nullptr);
  link.WriteReport("B");
  EXPECT_EQ(memo.Lines(), std::deque<std::string>{"SND: >A<"});
}

TEST(HidLinkLog, EscapeText) {
  const std::vector<std::pair<std::string, std::string>> rows = {
      {"", ""},
      {"ABC xyz ~", "ABC xyz ~"},
      {std::string("\0", 1), "#$00"},
      {"\n\r\t", "#$0A#$0D#$09"},
      {"\x1f\x7f", "#$1F#$7F"},
      {"\xe4\xff\x80", "#$E4#$FF#$80"},
  };
  for (const auto& [in, out] : rows) EXPECT_EQ(HidLink::EscapeText(in), out);
}

TEST(HidLinkLog, AddLogLineTrimsTo500ThenAppends) {
  LinkFixture f;
  for (int i = 0; i < 501; ++i) f.memo.AppendLine("x" + std::to_string(i));
  f.link.AddLogLine("new");
  EXPECT_EQ(f.memo.LineCount(), 501u);
  EXPECT_EQ(f.memo.Lines().front(), "x1");
  EXPECT_EQ(f.memo.Lines().back(), "new");
  for (int i = 0; i < 10; ++i) f.link.AddLogLine("more");
  EXPECT_EQ(f.memo.LineCount(), 501u);
  // an empty text empties the log
  f.link.AddLogLine("");
  EXPECT_EQ(f.memo.LineCount(), 0u);
}

TEST(HidLinkLog, DescribeDevice) {
  EXPECT_EQ(HidLink::DescribeDevice(MakeInfo("p", 0x04D8, 0x003F, 65, 65, "", "")),
            "DEV:   Vendor:$04D8 Product:$003F");
  EXPECT_EQ(HidLink::DescribeDevice(MakeInfo("p", 0x046D, 0xC31C, 9, 2, "Logi", "Kbd")),
            "DEV: Logi Kbd Vendor:$046D Product:$C31C");
}

// --- read time limit, hold-off, and reports owed to timed-out lines ---

struct TimedFixture : LinkFixture {
  std::chrono::steady_clock::time_point now{};
  TimedFixture() {
    link.SetClock([this] { return now; });
  }
};

TEST(HidLinkTimeLimit, SilentDeviceCostsOneTimeLimitThenHoldsOff) {
  TimedFixture f;
  auto device = f.Plug();
  f.link.SetReadTimeoutMs(300);
  EXPECT_EQ(f.link.Exchange("A?\n"), "");
  EXPECT_FALSE(f.link.LastExchangeAnswered());
  // a look at what is queued before the write, then the read with the time limit
  EXPECT_EQ(device->readTimeouts, (std::vector<int>{0, 300}));
  // within the hold-off: empty at once, nothing written, nothing read
  f.now += std::chrono::milliseconds(1500);
  EXPECT_EQ(f.link.Exchange("B?\n"), "");
  EXPECT_EQ(device->written.size(), 1u);
  EXPECT_EQ(device->readTimeouts.size(), 2u);
  EXPECT_EQ(f.link.UnansweredExchanges(), 2u);
  EXPECT_EQ(f.link.OwedReports(), 1u);
}

// Each step: the clock (ms from the start), the line, the replies queued before it is
// written and when it is written, and the reply the line must get. The device answers
// nothing unless a step says so; every time-out leaves the link holding off for 2 s.
TEST(HidLinkTimeLimit, ReportsOwedToTimedOutLinesNeverLandOnALaterLine) {
  struct Step {
    int atMs;
    std::string line;
    std::vector<std::string> queuedBefore, onWrite;
    std::string reply;
  };
  struct Row {
    const char* what;
    std::vector<Step> steps;
  };
  const std::vector<Row> rows = {
      {"late answer arrives while the next line waits",
       {{0, "A?", {}, {}, ""}, {2100, "B?", {}, {"a", "b"}, "b"}, {2200, "C?", {}, {"c"}, "c"}}},
      {"late answer arrives during the hold-off",
       {{0, "A?", {}, {}, ""}, {2100, "B?", {"a"}, {"b"}, "b"}}},
      {"late answers of two lines in a row",
       {{0, "A?", {}, {}, ""}, {2100, "B?", {}, {"a"}, ""}, {4200, "C?", {}, {"b", "c"}, "c"}}},
      // A's answer never comes: B's and C's replies are taken for owed ones (and lost)
      // until A's owed report expires 10 s after A timed out; then the link is in step.
      {"an answer that never comes expires",
       {{0, "A?", {}, {}, ""},
        {2100, "B?", {}, {"b"}, ""},
        {4200, "C?", {}, {"c"}, ""},
        {10000, "D?", {}, {"d"}, "d"},
        {10100, "E?", {}, {"e"}, "e"}}},
  };
  for (const Row& row : rows) {
    TimedFixture f;
    auto device = f.Plug();
    const auto start = f.now;
    for (const Step& step : row.steps) {
      f.now = start + std::chrono::milliseconds(step.atMs);
      for (const auto& r : step.queuedBefore) device->queued.push_back(Report(r));
      device->onWrite = [&step](FakeDevice& d, const std::vector<std::uint8_t>&) {
        for (const auto& r : step.onWrite) d.queued.push_back(Report(r));
      };
      EXPECT_STREQ(f.link.Exchange(step.line + "\n").c_str(), step.reply.c_str())
          << row.what << ": " << step.line;
    }
  }
}

TEST(HidLinkTimeLimit, ReplugForgetsWhatWasOwed) {
  TimedFixture f;
  auto device = f.Plug();
  f.link.Exchange("A?\n");
  EXPECT_EQ(f.link.OwedReports(), 1u);
  f.backend.Remove("/dev/hidraw0");
  f.link.ScanNow();
  f.backend.present.push_back(device);
  f.link.ScanNow();
  EXPECT_EQ(f.link.OwedReports(), 0u);
  device->answers.push_back(Report("fresh"));
  EXPECT_STREQ(f.link.Exchange("B?\n").c_str(), "fresh");
}

TEST(HidLinkTimeLimit, FailedReadNeedsNoHoldOff) {
  TimedFixture f;
  auto device = f.Plug();
  device->failReads = true;
  EXPECT_EQ(f.link.Exchange("A?\n"), "");
  EXPECT_EQ(f.link.Exchange("B?\n"), "");
  EXPECT_EQ(device->written.size(), 2u);
  EXPECT_EQ(f.link.OwedReports(), 0u);
}

TEST(HidLinkTimeLimit, EmptyReportIsAnAnswer) {
  LinkFixture f;
  auto device = f.Plug();
  device->answers.push_back({0x00});
  EXPECT_EQ(f.link.Exchange("MODE DC\n"), "");
  EXPECT_TRUE(f.link.LastExchangeAnswered());
  EXPECT_EQ(f.link.UnansweredExchanges(), 0u);
}

TEST(HidLinkWrite, RefusedWriteIsNotWrittenAndNotWaitedFor) {
  LinkFixture f;
  auto device = f.Plug();
  device->refuseWrites = true;
  f.link.SetDebug(true);
  f.memo.Clear();
  bool written = false;
  EXPECT_EQ(f.link.Exchange("A?\n", [&written] { written = true; }), "");
  EXPECT_FALSE(written);
  EXPECT_EQ(device->readTimeouts, std::vector<int>{0});  // only the look before writing
  EXPECT_EQ(f.memo.LineCount(), 0u);                     // no "SND:" for it
  EXPECT_EQ(f.link.OwedReports(), 0u);
}

}  // namespace
}  // namespace qel
