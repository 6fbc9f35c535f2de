// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_stream_peer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "core/link/report_stream_protocol.h"

namespace qel::testing {

HidDeviceInfo QelHello(int outLength) {
  HidDeviceInfo info;
  info.vendorId = kQelVendorId;
  info.productId = kQelProductId;
  info.inputReportByteLength = 65;
  info.outputReportByteLength = outLength;
  info.manufacturer = "KORVAL";
  info.product = "QEL11";
  return info;
}

ReportStreamPeer::ReportStreamPeer(HidDeviceInfo hello, Responder responder)
    : hello_(std::move(hello)), responder_(std::move(responder)) {
  listenFd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  int one = 1;
  setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  listen(listenFd_, 4);
  socklen_t len = sizeof addr;
  getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len);
  port_ = ntohs(addr.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

ReportStreamPeer::~ReportStreamPeer() {
  stop_ = true;
  thread_.join();
  close(listenFd_);
}

std::vector<std::vector<std::uint8_t>> ReportStreamPeer::Frames() const {
  std::lock_guard lock(mutex_);
  return frames_;
}

std::vector<std::string> ReportStreamPeer::Lines() const {
  std::vector<std::string> lines;
  for (const auto& frame : Frames()) {
    std::string text(frame.begin() + 1, frame.end());
    lines.push_back(text.substr(0, text.find('\0')));
  }
  return lines;
}

void ReportStreamPeer::Serve() {
  while (!stop_) {
    pollfd p{listenFd_, POLLIN, 0};
    if (poll(&p, 1, 50) <= 0) continue;
    const int fd = accept(listenFd_, nullptr, nullptr);
    if (fd < 0) continue;
    ++connections_;
    auto hello = report_stream::EncodeFrame(report_stream::FormatHello(hello_));
    send(fd, hello.data(), hello.size(), MSG_NOSIGNAL);
    report_stream::FrameReader reader;
    bool open = true;
    while (open && !stop_) {
      pollfd c{fd, POLLIN, 0};
      if (poll(&c, 1, 50) <= 0) continue;
      std::uint8_t chunk[1024];
      const ssize_t n = recv(fd, chunk, sizeof chunk, 0);
      if (n <= 0) break;
      reader.Feed(chunk, static_cast<std::size_t>(n));
      while (auto frame = reader.Next()) {
        {
          std::lock_guard lock(mutex_);
          frames_.push_back(*frame);
        }
        std::string line(frame->begin() + (frame->empty() ? 0 : 1), frame->end());
        line = line.substr(0, line.find('\0'));
        if (!line.empty() && line.back() == '\n') line.pop_back();
        const Answer answer = responder_(line);
        if (answer.disconnect) {
          open = false;
          break;
        }
        if (answer.silent) continue;
        std::vector<std::uint8_t> report(static_cast<std::size_t>(hello_.inputReportByteLength), 0);
        std::copy_n(answer.text.begin(), std::min(answer.text.size(), report.size() - 1),
                    report.begin() + 1);
        auto out = report_stream::EncodeFrame(report.data(), report.size());
        send(fd, out.data(), out.size(), MSG_NOSIGNAL);
      }
    }
    close(fd);
  }
}

}  // namespace qel::testing
