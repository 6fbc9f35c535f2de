// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/sim_backend.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>

namespace qel::sim {
namespace {

// Writes one line as the tool does: report ID 0, the text, a line feed, zero fill.
bool WriteLine(HidConnection& connection, const std::string& line, std::size_t length = 65) {
  std::vector<std::uint8_t> report(length, 0);
  const std::string text = line + "\n";
  std::copy_n(text.begin(), std::min(text.size(), length - 1), report.begin() + 1);
  return connection.Write(report.data(), report.size());
}

struct Reply {
  ReadStatus status = ReadStatus::Failed;
  std::vector<std::uint8_t> bytes;
  std::string Text() const {  // reply text: after the ID, up to the first NUL
    std::string text;
    for (std::size_t i = 1; i < bytes.size() && bytes[i] != 0; ++i)
      text += static_cast<char>(bytes[i]);
    return text;
  }
};

Reply ReadReply(HidConnection& connection, int timeoutMs) {
  Reply reply;
  std::uint8_t buffer[128];
  std::size_t delivered = 0;
  reply.status = connection.Read(buffer, sizeof buffer, timeoutMs, delivered);
  if (reply.status == ReadStatus::Report) reply.bytes.assign(buffer, buffer + delivered);
  return reply;
}

std::unique_ptr<HidConnection> OpenSim(SimBackend& backend) {
  const auto devices = backend.Enumerate();
  return devices.empty() ? nullptr : backend.Open(devices.front());
}

TEST(SimBackend, ListsOneInstrument) {
  SimOptions options;
  options.productId = 0x003F;
  options.outputReportLength = 66;
  SimBackend backend(options);
  const auto devices = backend.Enumerate();
  ASSERT_EQ(devices.size(), 1u);
  EXPECT_EQ(devices[0].path, "sim");
  EXPECT_EQ(devices[0].vendorId, 0x04D8);
  EXPECT_EQ(devices[0].productId, 0x003F);
  EXPECT_EQ(devices[0].manufacturer, "KORVAL");
  EXPECT_EQ(devices[0].product, "QEL11");
  EXPECT_EQ(devices[0].inputReportByteLength, 65);
  EXPECT_EQ(devices[0].outputReportByteLength, 66);
  HidDeviceInfo other = devices[0];
  other.path = "/dev/hidraw0";
  EXPECT_EQ(backend.Open(other), nullptr);
}

TEST(SimBackend, EveryReportGetsExactlyOneAnswerSettingsIncluded) {
  SimBackend backend;
  auto connection = OpenSim(backend);
  ASSERT_TRUE(connection);
  for (const char* line : {"MODE AC", "MODE?", "", "BOGUS", "DGIO:IN?"}) {
    ASSERT_TRUE(WriteLine(*connection, line)) << line;
    const Reply reply = ReadReply(*connection, 1000);
    ASSERT_EQ(reply.status, ReadStatus::Report) << line;
    ASSERT_EQ(reply.bytes.size(), 65u) << line;
    EXPECT_EQ(reply.bytes[0], 0);
    EXPECT_EQ(ReadReply(*connection, 0).status, ReadStatus::Timeout) << line;
  }
  EXPECT_EQ(backend.ReceivedLines(),
            (std::vector<std::string>{"MODE AC", "MODE?", "", "BOGUS", "DGIO:IN?"}));
}

TEST(SimBackend, AnswerTextIsNulTerminatedAndZeroFilled) {
  SimBackend backend;
  auto connection = OpenSim(backend);
  WriteLine(*connection, "MODE?");
  Reply reply = ReadReply(*connection, 1000);
  EXPECT_EQ(reply.Text(), "DC");
  for (std::size_t i = 3; i < reply.bytes.size(); ++i) EXPECT_EQ(reply.bytes[i], 0) << i;
  WriteLine(*connection, "MODE PEAK");
  EXPECT_EQ(ReadReply(*connection, 1000).bytes[1], 0);  // empty text
  // An answer longer than 64 bytes is cut to the report.
  WriteLine(*connection, "*IDN?;*IDN?;*IDN?");
  reply = ReadReply(*connection, 1000);
  EXPECT_EQ(reply.Text().size(), 64u);
  EXPECT_EQ(reply.Text().substr(0, 27), "KORVAL,QEL11,11230042,1.07;");
}

TEST(SimBackend, LineEndsAtNulOrLineFeedWithEitherOutputLength) {
  SimOptions options;
  options.outputReportLength = 66;
  SimBackend backend(options);
  auto connection = OpenSim(backend);
  std::vector<std::uint8_t> report(66, 0);
  const std::string text = "UNIT GAUS\r\n";
  std::copy(text.begin(), text.end(), report.begin() + 1);
  report[20] = 'X';  // behind the NUL: not part of the line
  ASSERT_TRUE(connection->Write(report.data(), report.size()));
  ReadReply(*connection, 1000);
  // A full report without NUL: the whole text is the line.
  std::vector<std::uint8_t> full(66, 'A');
  full[0] = 0;
  connection->Write(full.data(), full.size());
  ReadReply(*connection, 1000);
  EXPECT_EQ(backend.ReceivedLines(), (std::vector<std::string>{"UNIT GAUS", std::string(65, 'A')}));
  EXPECT_EQ(backend.instrument().settings().unit, kUnitGauss);
}

TEST(SimBackend, ReadWaitsForAReportWrittenFromAnotherThread) {
  SimBackend backend;
  auto connection = OpenSim(backend);
  Reply reply;
  std::thread reader([&] { reply = ReadReply(*connection, -1); });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  WriteLine(*connection, "UNIT?");
  reader.join();
  EXPECT_EQ(reply.Text(), "TESL");
}

TEST(SimBackend, UnplugWakesAWaitingReadAndPlugNeedsANewConnection) {
  SimBackend backend;
  auto connection = OpenSim(backend);
  Reply reply;
  std::thread reader([&] { reply = ReadReply(*connection, 5000); });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  backend.Unplug();
  reader.join();
  EXPECT_EQ(reply.status, ReadStatus::Failed);
  EXPECT_TRUE(backend.Enumerate().empty());
  EXPECT_FALSE(WriteLine(*connection, "MODE?"));
  backend.Plug();
  EXPECT_FALSE(WriteLine(*connection, "MODE?"));  // the old handle stays dead
  auto fresh = OpenSim(backend);
  ASSERT_TRUE(fresh);
  WriteLine(*fresh, "MODE?");
  EXPECT_EQ(ReadReply(*fresh, 1000).Text(), "DC");
}

TEST(SimBackendFaults, LatencyDelaysEachAnswer) {
  SimOptions options;
  options.latencyMs = 300;
  SimBackend backend(options);
  auto connection = OpenSim(backend);
  WriteLine(*connection, "MODE?");
  EXPECT_EQ(ReadReply(*connection, 0).status, ReadStatus::Timeout);
  EXPECT_TRUE(backend.NextReportDue().has_value());
  EXPECT_EQ(ReadReply(*connection, 5000).Text(), "DC");
}

TEST(SimBackendFaults, StopAnsweringAfterNLines) {
  SimOptions options;
  options.stopAnsweringAfter = 2;
  SimBackend backend(options);
  auto connection = OpenSim(backend);
  for (const char* line : {"MODE?", "UNIT?"}) {
    WriteLine(*connection, line);
    EXPECT_EQ(ReadReply(*connection, 1000).status, ReadStatus::Report);
  }
  EXPECT_TRUE(WriteLine(*connection, "RANG?"));
  EXPECT_EQ(ReadReply(*connection, 50).status, ReadStatus::Timeout);
  EXPECT_EQ(backend.ReceivedLines().size(), 3u);
}

TEST(SimBackendFaults, DisconnectAfterNLinesAnswersTheNthThenIsGone) {
  SimOptions options;
  options.disconnectAfter = 2;
  SimBackend backend(options);
  auto connection = OpenSim(backend);
  WriteLine(*connection, "MODE?");
  EXPECT_EQ(ReadReply(*connection, 1000).Text(), "DC");
  WriteLine(*connection, "UNIT?");
  EXPECT_TRUE(backend.Enumerate().empty());
  EXPECT_EQ(ReadReply(*connection, 1000).Text(), "TESL");
  EXPECT_EQ(ReadReply(*connection, 1000).status, ReadStatus::Failed);
  EXPECT_FALSE(WriteLine(*connection, "RANG?"));
  EXPECT_EQ(backend.Open(backend.DeviceInfo()), nullptr);
  backend.Plug();
  auto again = OpenSim(backend);
  ASSERT_TRUE(again);
  WriteLine(*again, "RANG?");
  EXPECT_EQ(ReadReply(*again, 1000).Text(), "1");
}

TEST(SimBackendFaults, LateAnswerArrivesAfterTheDelayAndKeepsTheOrder) {
  SimOptions options;
  options.lateAnswerLine = 2;
  options.lateAnswerDelayMs = 300;
  SimBackend backend(options);
  auto connection = OpenSim(backend);
  WriteLine(*connection, "MODE?");
  EXPECT_EQ(ReadReply(*connection, 1000).Text(), "DC");
  WriteLine(*connection, "UNIT?");
  EXPECT_EQ(ReadReply(*connection, 20).status, ReadStatus::Timeout);
  WriteLine(*connection, "RANG?");
  EXPECT_EQ(ReadReply(*connection, 0).status, ReadStatus::Timeout);  // held behind line 2
  EXPECT_EQ(ReadReply(*connection, 5000).Text(), "TESL");
  EXPECT_EQ(ReadReply(*connection, 1000).Text(), "1");
}

TEST(SimBackendFaults, GarbageAfterNLines) {
  SimOptions options;
  options.garbageAfter = 1;
  SimBackend backend(options);
  auto connection = OpenSim(backend);
  WriteLine(*connection, "MODE?");
  EXPECT_EQ(ReadReply(*connection, 1000).Text(), "DC");
  std::set<std::string> texts;
  for (int i = 0; i < 5; ++i) {
    WriteLine(*connection, "MODE?");
    const Reply reply = ReadReply(*connection, 1000);
    ASSERT_EQ(reply.bytes.size(), 65u);
    EXPECT_FALSE(reply.Text().empty());
    texts.insert(reply.Text());
  }
  EXPECT_FALSE(texts.count("DC"));
  EXPECT_GT(texts.size(), 1u);
  EXPECT_EQ(backend.instrument().settings().mode, kModeDc);  // the line itself was handled
}

TEST(SimBackendFaults, TruncateAfterNLinesDeliversShortReports) {
  SimOptions options;
  options.truncateAfter = 1;
  SimBackend backend(options);
  auto connection = OpenSim(backend);
  WriteLine(*connection, "UNIT?");
  EXPECT_EQ(ReadReply(*connection, 1000).bytes.size(), 65u);
  WriteLine(*connection, "UNIT?");
  EXPECT_EQ(ReadReply(*connection, 1000).bytes, (std::vector<std::uint8_t>{0, 'T', 'E'}));
  WriteLine(*connection, "UNIT GAUS");
  EXPECT_EQ(ReadReply(*connection, 1000).bytes, (std::vector<std::uint8_t>{0}));
}

TEST(SimBackend, KeepsOnlyTheNewestTrafficOfALongRun) {
  SimBackend backend;
  auto connection = OpenSim(backend);
  const std::size_t lines = SimBackend::kRecordedLinesKept + 10;
  for (std::size_t i = 0; i < lines; ++i) {
    ASSERT_TRUE(WriteLine(*connection, i + 1 == lines ? "*IDN?" : "MODE?"));
    ASSERT_EQ(ReadReply(*connection, 1000).status, ReadStatus::Report);
  }
  const auto received = backend.ReceivedLines();
  EXPECT_LE(received.size(), SimBackend::kRecordedLinesKept);
  EXPECT_GE(received.size(), SimBackend::kRecordedLinesKept / 2);
  EXPECT_EQ(received.back(), "*IDN?");
  EXPECT_EQ(backend.Answers().size(), received.size());
  EXPECT_EQ(backend.Answers().back().connectionLine, static_cast<long>(lines));
}

}  // namespace
}  // namespace qel::sim
