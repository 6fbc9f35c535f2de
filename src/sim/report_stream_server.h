// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Serves a SimBackend over the report-stream protocol (see report_stream_protocol.h) on
// 127.0.0.1, one client at a time: after a client connects it gets the hello frame, then
// each frame it sends is written to the device as one output report and each input
// report the device queues goes back as one frame. A client that closes the connection
// is an unplug; the next client finds the same instrument again. When the device
// unplugs itself (disconnect-after), the connection is closed once its last answer has
// gone out, and the device is plugged in again for the next client.
//
// Two faults live here, in the transport: a connection without hello (the first
// connectionsWithoutHello clients are accepted and never greeted) and a cut frame (the
// answer to cutFrameLine announces its whole report and brings only kCutFrameBytes of
// it). Such a connection stays mute: it reads and drops what the client sends and sends
// nothing more, until the client closes it.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/link/hid_backend.h"
#include "core/link/report_stream_protocol.h"
#include "core/link/tcp_socket.h"

namespace qel::sim {

class SimBackend;

class ReportStreamServer {
 public:
  explicit ReportStreamServer(SimBackend& backend);
  ~ReportStreamServer();
  ReportStreamServer(const ReportStreamServer&) = delete;
  ReportStreamServer& operator=(const ReportStreamServer&) = delete;

  // Binds 127.0.0.1:port (0 picks a free port) and listens.
  bool Listen(std::uint16_t port, std::string& error);
  std::uint16_t port() const { return port_; }

  // Serves until Stop().
  void Run();
  // Ends Run() soon; safe from another thread and from a signal handler.
  void Stop();

 private:
  void Accept();
  void ReadFromClient();
  void SendQueuedReports();
  void CloseClient();
  bool Send(const std::vector<std::uint8_t>& bytes);
  int PollTimeoutMs() const;

  SimBackend& backend_;
  net::NativeSocket listenFd_ = net::kNoSocket;
  net::NativeSocket clientFd_ = net::kNoSocket;
  net::Waker waker_;
  std::uint16_t port_ = 0;
  std::unique_ptr<HidConnection> connection_;
  report_stream::FrameReader reader_;
  bool deviceGone_ = false;
  bool mute_ = false;
  int connections_ = 0;
  std::vector<std::uint8_t> report_ = std::vector<std::uint8_t>(report_stream::kMaxFrame);
};

}  // namespace qel::sim
