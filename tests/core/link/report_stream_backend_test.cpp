// SPDX-License-Identifier: GPL-3.0-or-later
// The report-stream backend against a bare loopback peer that the test drives byte by
// byte: connecting bounded by the time limit with a back-off, and a peer that closed with
// replies unread. (A frame cut short is one of the fault matrix's rows.)

#include "core/link/report_stream_backend.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <thread>

#include "core/link/report_stream_protocol.h"
#include "core/link/tcp_socket.h"

namespace qel {
namespace {

using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

class Peer {
 public:
  Peer() {
    std::string error;
    listen_ = net::ListenOnLoopback(0, error);
    port_ = net::LocalPort(listen_);
  }
  ~Peer() {
    CloseClient();
    net::Close(listen_);
  }
  int Port() const { return port_; }
  // Takes a waiting connection; false when none came.
  bool Accept() {
    if (net::WaitReadable({listen_}, 0) != 0) return false;
    CloseClient();
    client_ = net::Accept(listen_);
    return client_ != net::kNoSocket;
  }
  void Send(const std::vector<std::uint8_t>& bytes) {
    net::SendAll(client_, bytes.data(), bytes.size());
  }
  void Greet() {
    HidDeviceInfo info;
    info.vendorId = kQelVendorId;
    info.productId = kQelProductId;
    info.inputReportByteLength = info.outputReportByteLength = 65;
    Send(report_stream::EncodeFrame(report_stream::FormatHello(info)));
  }
  void CloseClient() { net::Close(client_); }

 private:
  net::NativeSocket listen_ = net::kNoSocket;
  net::NativeSocket client_ = net::kNoSocket;
  int port_ = 0;
};

TEST(ReportStreamBackend, PeerWithoutHelloCostsOneTimeLimitThenBacksOff) {
  Peer peer;
  ReportStreamBackend backend("127.0.0.1", peer.Port(), 300);
  auto now = SteadyClock::now();
  backend.SetClock([&now] { return now; });
  // The kernel completes the connect; the peer never says hello.
  const auto start = SteadyClock::now();
  EXPECT_TRUE(backend.Enumerate().empty());
  EXPECT_LT(SteadyClock::now() - start, 330ms * 3 / 2);
  EXPECT_GE(SteadyClock::now() - start, 290ms);
  EXPECT_NE(backend.LastError().find("no hello frame"), std::string::npos) << backend.LastError();
  EXPECT_TRUE(peer.Accept());
  // Within the back-off: no new attempt at all.
  now += std::chrono::milliseconds(ReportStreamBackend::kConnectBackOffMs - 100);
  EXPECT_TRUE(backend.Enumerate().empty());
  EXPECT_FALSE(peer.Accept());
  // After it: tried again, and this time greeted.
  now += 200ms;
  std::vector<HidDeviceInfo> found;
  std::thread greeter([&peer] {
    for (int i = 0; i < 100 && !peer.Accept(); ++i) std::this_thread::sleep_for(5ms);
    peer.Greet();
  });
  found = backend.Enumerate();
  greeter.join();
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].path, "tcp:127.0.0.1:" + std::to_string(peer.Port()));
}

// A link given no time limit (negative) still waits a bounded time for the hello: the
// 1000 ms default. Were it unbounded, a peer that never greets would hang the program.
TEST(ReportStreamBackend, HelloWaitIsBoundedEvenWithoutATimeLimit) {
  const struct {
    int limitMs;
    const char* said;
  } rows[] = {{-1, "no hello frame from the instrument within 1000 ms"},
              {100, "no hello frame from the instrument within 100 ms"}};
  for (const auto& row : rows) {
    Peer peer;
    ReportStreamBackend backend("127.0.0.1", peer.Port(), 300);
    backend.SetTimeLimitMs(row.limitMs);
    std::promise<bool> found;
    std::thread scan([&] { found.set_value(!backend.Enumerate().empty()); });
    auto result = found.get_future();
    if (result.wait_for(20s) != std::future_status::ready) {
      ADD_FAILURE() << row.limitMs << ": the hello wait did not end";
      std::_Exit(1);  // the scan thread still waits on the peer: nothing can be cleaned up
    }
    scan.join();
    EXPECT_FALSE(result.get()) << row.limitMs;
    EXPECT_NE(backend.LastError().find(row.said), std::string::npos) << backend.LastError();
  }
}

struct Connected {
  Peer peer;
  ReportStreamBackend backend{"127.0.0.1", peer.Port(), 300};
  std::unique_ptr<HidConnection> connection;
  Connected() {
    std::thread greeter([this] {
      for (int i = 0; i < 100 && !peer.Accept(); ++i) std::this_thread::sleep_for(5ms);
      peer.Greet();
    });
    const auto found = backend.Enumerate();
    greeter.join();
    if (!found.empty()) connection = backend.Open(found[0]);
  }
  ReadStatus Read(int timeoutMs, std::string* text = nullptr) {
    std::uint8_t buffer[66]{};
    std::size_t delivered = 0;
    const ReadStatus status = connection->Read(buffer, sizeof buffer, timeoutMs, delivered);
    if (text)
      text->assign(reinterpret_cast<const char*>(buffer) + 1, delivered ? delivered - 1 : 0);
    return status;
  }
};

TEST(ReportStreamBackend, PeerThatClosedIsGoneEvenWithUnreadReplies) {
  Connected c;
  ASSERT_TRUE(c.connection);
  c.peer.Send(report_stream::EncodeFrame(std::string("\0stale", 6)));
  c.peer.CloseClient();
  std::this_thread::sleep_for(50ms);
  EXPECT_TRUE(c.backend.Enumerate().empty());
  EXPECT_EQ(c.Read(0), ReadStatus::Failed);  // the stale reply is never handed out
}

}  // namespace
}  // namespace qel
