// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A minimal instrument on the far side of the report-stream protocol, for testing the
// tool's side byte for byte: it records every frame it receives and answers each one as
// the test says (a reply text, silence, or closing the connection).

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/link/hid_backend.h"

namespace qel::testing {

class ReportStreamPeer {
 public:
  // What to do with a received output report: the reply text (zero-filled to the input
  // report length), or nullopt-like actions through the flags below.
  struct Answer {
    std::string text;
    bool silent = false;
    bool disconnect = false;
  };
  using Responder = std::function<Answer(const std::string& line)>;

  ReportStreamPeer(HidDeviceInfo hello, Responder responder);
  ~ReportStreamPeer();

  int Port() const { return port_; }
  std::string Device() const { return "tcp:127.0.0.1:" + std::to_string(port_); }
  std::vector<std::vector<std::uint8_t>> Frames() const;
  std::vector<std::string> Lines() const;  // frames as text, ID dropped, up to the first NUL
  int Connections() const { return connections_; }

 private:
  void Serve();

  HidDeviceInfo hello_;
  Responder responder_;
  int listenFd_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<int> connections_{0};
  mutable std::mutex mutex_;
  std::vector<std::vector<std::uint8_t>> frames_;
  std::thread thread_;
};

HidDeviceInfo QelHello(int outLength = 65);

}  // namespace qel::testing
