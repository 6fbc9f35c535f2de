// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/report_stream_server.h"

#include <gtest/gtest.h>

#include <thread>

#include "core/link/report_stream_protocol.h"
#include "core/link/tcp_socket.h"
#include "sim/sim_backend.h"

namespace qel::sim {
namespace {

// A minimal client of the protocol; every wait for a frame is bounded by 5 s.
class Client {
 public:
  explicit Client(std::uint16_t port) {
    std::string error;
    socket_ = net::ConnectWithTimeout("127.0.0.1", port, 5000, error);
  }
  ~Client() { net::Close(socket_); }
  bool connected() const { return socket_ != net::kNoSocket; }

  void SendLine(const std::string& line, std::size_t length = 65) {
    std::vector<std::uint8_t> report(length, 0);
    const std::string text = line + "\n";
    std::copy(text.begin(), text.end(), report.begin() + 1);
    const auto frame = report_stream::EncodeFrame(report.data(), report.size());
    net::SendAll(socket_, frame.data(), frame.size());
  }
  // The next frame; nullopt when the server closed the connection (or 5 s passed).
  std::optional<std::vector<std::uint8_t>> NextFrame() {
    for (;;) {
      if (auto frame = reader_.Next()) return frame;
      if (net::WaitReadable({socket_}, 5000) != 0) return std::nullopt;
      std::uint8_t chunk[512];
      const std::ptrdiff_t got = net::Receive(socket_, chunk, sizeof chunk);
      if (got == net::kTryAgain) continue;
      if (got <= 0) return std::nullopt;
      reader_.Feed(chunk, static_cast<std::size_t>(got));
    }
  }
  std::string NextText() {
    auto frame = NextFrame();
    if (!frame || frame->size() < 2) return "<none>";
    return std::string(reinterpret_cast<const char*>(frame->data()) + 1);
  }

 private:
  net::NativeSocket socket_ = net::kNoSocket;
  report_stream::FrameReader reader_;
};

class ServerTest : public ::testing::Test {
 protected:
  void Start(SimOptions options = {}) {
    backend_ = std::make_unique<SimBackend>(options);
    server_ = std::make_unique<ReportStreamServer>(*backend_);
    std::string error;
    ASSERT_TRUE(server_->Listen(0, error)) << error;
    ASSERT_NE(server_->port(), 0);
    thread_ = std::thread([this] { server_->Run(); });
  }
  void TearDown() override {
    if (server_) server_->Stop();
    if (thread_.joinable()) thread_.join();
  }

  std::unique_ptr<SimBackend> backend_;
  std::unique_ptr<ReportStreamServer> server_;
  std::thread thread_;
};

TEST_F(ServerTest, HelloThenOneFramePerReport) {
  SimOptions options;
  options.outputReportLength = 66;
  Start(options);
  Client client(server_->port());
  ASSERT_TRUE(client.connected());
  auto hello = client.NextFrame();
  ASSERT_TRUE(hello);
  const auto info = report_stream::ParseHello(std::string(hello->begin(), hello->end()));
  ASSERT_TRUE(info);
  EXPECT_EQ(info->vendorId, 0x04D8);
  EXPECT_EQ(info->productId, 0xFE78);
  EXPECT_EQ(info->inputReportByteLength, 65);
  EXPECT_EQ(info->outputReportByteLength, 66);
  EXPECT_EQ(info->manufacturer, "KORVAL");

  client.SendLine("MODE AC", 66);
  auto frame = client.NextFrame();
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->size(), 65u);
  EXPECT_EQ((*frame)[1], 0);  // a setting: empty text
  client.SendLine(":rang?;unit?", 66);
  EXPECT_EQ(client.NextText(), "1;TESL");
  EXPECT_EQ(backend_->ReceivedLines(), (std::vector<std::string>{"MODE AC", ":rang?;unit?"}));
}

TEST_F(ServerTest, AClosedConnectionLetsTheNextClientIn) {
  Start();
  {
    Client first(server_->port());
    first.NextFrame();
    first.SendLine("MODE PEAK");
    EXPECT_EQ(first.NextText(), "");
  }
  Client second(server_->port());
  ASSERT_TRUE(second.NextFrame());
  second.SendLine("MODE?");
  EXPECT_EQ(second.NextText(), "PEAK");
}

TEST_F(ServerTest, DisconnectAfterClosesOnceTheAnswerIsOutThenReplugs) {
  SimOptions options;
  options.disconnectAfter = 2;
  options.latencyMs = 30;
  Start(options);
  Client client(server_->port());
  client.NextFrame();
  client.SendLine("MODE?");
  EXPECT_EQ(client.NextText(), "DC");
  client.SendLine("UNIT?");
  EXPECT_EQ(client.NextText(), "TESL");
  EXPECT_FALSE(client.NextFrame());  // closed by the instrument
  Client again(server_->port());
  ASSERT_TRUE(again.NextFrame());
  again.SendLine("RANG?");
  EXPECT_EQ(again.NextText(), "1");
}

TEST_F(ServerTest, StopAfterLeavesLinesUnanswered) {
  SimOptions options;
  options.stopAnsweringAfter = 1;
  Start(options);
  Client client(server_->port());
  client.NextFrame();
  client.SendLine("MODE?");
  EXPECT_EQ(client.NextText(), "DC");
  client.SendLine("UNIT?");
  client.SendLine("*IDN?");
  // Nothing comes back; the line is still received.
  for (int i = 0; i < 200 && backend_->ReceivedLines().size() < 3; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_EQ(backend_->ReceivedLines().size(), 3u);
  EXPECT_FALSE(backend_->NextReportDue().has_value());
}

}  // namespace
}  // namespace qel::sim
