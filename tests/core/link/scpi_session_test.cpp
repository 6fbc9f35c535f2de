// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/scpi_session.h"

#include <gtest/gtest.h>

#include "fake_backend.h"

namespace qel {
namespace {

using testing::FakeBackend;
using testing::FakeDevice;
using testing::MakeInfo;
using testing::Report;

struct SessionFixture {
  FakeBackend backend;
  MemoryLog memo;
  MemoryLog protocol;
  HidLink link{backend, memo};
  ScpiSession session{link, &protocol};
  std::shared_ptr<FakeDevice> device;
  SessionFixture() {
    device = backend.Add(MakeInfo("qel", kQelVendorId, kQelProductId));
    link.ScanNow();
    session.SetLogClock([] { return LogTime{12, 7, 315}; });
  }
  std::string SentText(std::size_t i) const {
    const auto& r = device->written.at(i);
    std::string text(r.begin() + 1, r.end());
    return text.substr(0, text.find('\0'));
  }
};

TEST(ScpiQuery, QueryAndNonQuery) {
  struct Row {
    std::string line;
    std::vector<std::uint8_t> report;
    std::string reply;
    std::vector<std::string> log;
  };
  std::string text64(64, 'x');
  const std::vector<Row> rows = {
      {"MODE?", Report("DC"), "DC", {"12.07.315 SND : MODE?", "12.07.315 REC : DC"}},
      {"syst:err?",
       Report("0,\"No error\""),
       "0,\"No error\"",
       {"12.07.315 SND : syst:err?", "12.07.315 REC : 0,\"No error\""}},
      // a line without "?" returns nothing even when the instrument sent text
      {"MODE DC", Report("DC"), "", {"12.07.315 SND : MODE DC"}},
      {"", Report(""), "", {"12.07.315 SND : "}},
      // "?" inside an argument makes it a query
      {"SYST:BEEP 'a?'", Report("1"), "1", {"12.07.315 SND : SYST:BEEP 'a?'", "12.07.315 REC : 1"}},
      // cut at the first NUL
      {"A?",
       std::vector<std::uint8_t>{0, 'a', 'b', 0, 'c'},
       "ab",
       {"12.07.315 SND : A?", "12.07.315 REC : ab"}},
      // 64 characters without NUL stay whole
      {"B?", Report(text64), text64, {"12.07.315 SND : B?", "12.07.315 REC : " + text64}},
      // empty answer: empty reply, but "REC : " is logged
      {"C?", Report(""), "", {"12.07.315 SND : C?", "12.07.315 REC : "}},
      // a line end stays in the reply
      {"D?", Report("1\r\n"), "1\r\n", {"12.07.315 SND : D?", "12.07.315 REC : 1\r\n"}},
  };
  for (const Row& row : rows) {
    SessionFixture f;
    f.device->answers.push_back(row.report);
    EXPECT_EQ(f.session.ScpiQuery(row.line), row.reply) << row.line;
    EXPECT_EQ(std::vector<std::string>(f.protocol.Lines().begin(), f.protocol.Lines().end()),
              row.log)
        << row.line;
    // every line costs one output report carrying the line and a line feed
    ASSERT_EQ(f.device->written.size(), 1u) << row.line;
    EXPECT_EQ(f.SentText(0), row.line + "\n");
  }
}

// The log shows only lines that reached the instrument: none without one, none skipped
// in the hold-off after a time-out, and the time-out itself leaves "SND : " alone.
TEST(ScpiQuery, LogsOnlyLinesThatWereWritten) {
  FakeBackend none;
  MemoryLog memo, protocol;
  HidLink absent(none, memo);
  ScpiSession session(absent, &protocol);
  EXPECT_EQ(session.ScpiQuery("*IDN?"), "");
  EXPECT_EQ(session.ScpiQueryRaw("INTE:HC?"), "");
  EXPECT_EQ(protocol.LineCount(), 0u);
  EXPECT_EQ(session.UnansweredLines(), 2u);

  SessionFixture f;
  f.link.SetReadTimeoutMs(50);
  EXPECT_EQ(f.session.ScpiQuery("MODE?"), "");  // times out
  for (const char* line : {"UNIT?", "RANG 2", "INTE:HC?"}) f.session.ScpiQuery(line);
  f.session.ScpiQueryRaw("INTE:HC?");
  EXPECT_EQ(f.protocol.Lines(), std::deque<std::string>{"12.07.315 SND : MODE?"});
  EXPECT_EQ(f.device->written.size(), 1u);
}

TEST(ScpiQueryRaw, HeaderAndRawReply) {
  SessionFixture f;
  auto report = Report("HC0064", 65);
  for (int i = 7; i < 65; ++i) report[i] = static_cast<std::uint8_t>(i);
  f.device->answers.push_back(report);
  EXPECT_EQ(f.session.ScpiQueryRaw("INTE:HC?"), "HC0064");
  EXPECT_EQ(f.protocol.Lines().back(), "12.07.315 REC : HC0064");
  EXPECT_EQ(f.session.RawReply()[6], 7);
  EXPECT_EQ(f.session.RawReply()[63], 64);
}

TEST(ScpiQueryRaw, ShortHeaderIsPaddedWithNuls) {
  SessionFixture f;
  f.device->answers.push_back(Report("HC"));
  EXPECT_EQ(f.session.ScpiQueryRaw("INTE:HC?"), std::string("HC\0\0\0\0", 6));
  f.device->answers.push_back(Report(""));
  EXPECT_EQ(f.session.ScpiQueryRaw("INTE:HC?"), std::string(6, '\0'));
}

TEST(ScpiQueryRaw, NoReplyKeepsPreviousRawReply) {
  SessionFixture f;
  f.device->answers.push_back(Report("HC0064xyz"));
  f.session.ScpiQueryRaw("INTE:HC?");
  const auto before = f.session.RawReply();
  f.device->failReads = true;
  EXPECT_EQ(f.session.ScpiQueryRaw("INTE:HC?"), "");
  EXPECT_EQ(f.session.RawReply(), before);
  EXPECT_EQ(f.session.ScpiQueryRaw("INTE:HCLN 58"), "");  // no query: no reply
}

TEST(ProtocolLog, DropsOneLineWhenOver250) {
  SessionFixture f;
  for (int i = 0; i < 260; ++i) f.protocol.AppendLine("typed " + std::to_string(i));
  f.session.ProtocolLog("a");
  EXPECT_EQ(f.protocol.LineCount(), 260u);  // lost one, gained one
  EXPECT_EQ(f.protocol.Lines().front(), "typed 1");
  SessionFixture g;
  for (int i = 0; i < 300; ++i) g.session.ProtocolLog(std::to_string(i));
  EXPECT_EQ(g.protocol.LineCount(), 251u);
  EXPECT_EQ(g.protocol.Lines().back(), "12.07.315 299");
}

TEST(ProtocolLog, StampFormat) {
  EXPECT_EQ(FormatLogStamp({5, 9, 7}), "05.09.007 ");
  EXPECT_EQ(FormatLogStamp({59, 59, 999}), "59.59.999 ");
}

}  // namespace
}  // namespace qel
