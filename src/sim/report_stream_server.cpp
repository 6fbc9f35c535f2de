// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/report_stream_server.h"

#include <algorithm>
#include <chrono>

#include "sim/faults.h"
#include "sim/sim_backend.h"

namespace qel::sim {

ReportStreamServer::ReportStreamServer(SimBackend& backend) : backend_(backend) {}

ReportStreamServer::~ReportStreamServer() {
  CloseClient();
  net::Close(listenFd_);
}

bool ReportStreamServer::Listen(std::uint16_t port, std::string& error) {
  if (!waker_.Ok()) {
    error = "cannot set up the stop signal";
    return false;
  }
  listenFd_ = net::ListenOnLoopback(port, error);  // never reachable from elsewhere
  if (listenFd_ == net::kNoSocket) return false;
  port_ = net::LocalPort(listenFd_);
  return true;
}

void ReportStreamServer::Stop() {
  waker_.Wake();
}

int ReportStreamServer::PollTimeoutMs() const {
  if (clientFd_ == net::kNoSocket || mute_) return -1;
  if (deviceGone_) return 0;
  const auto due = backend_.NextReportDue();
  if (!due) return -1;
  const auto left =
      std::chrono::ceil<std::chrono::milliseconds>(*due - std::chrono::steady_clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

void ReportStreamServer::Run() {
  for (;;) {
    const net::NativeSocket active = clientFd_ != net::kNoSocket ? clientFd_ : listenFd_;
    const int ready = net::WaitReadable({waker_.ReadEnd(), active}, PollTimeoutMs());
    if (ready == net::kWaitFailed) return;
    if (ready == 0) return;
    if (ready == 1) {
      if (clientFd_ == net::kNoSocket) {
        Accept();
      } else {
        ReadFromClient();
      }
    }
    if (clientFd_ != net::kNoSocket && !mute_) SendQueuedReports();
    if (clientFd_ != net::kNoSocket && deviceGone_ && !mute_) {
      CloseClient();
      backend_.Plug();
    }
  }
}

void ReportStreamServer::Accept() {
  const net::NativeSocket fd = net::Accept(listenFd_);
  if (fd == net::kNoSocket) return;
  clientFd_ = fd;
  reader_ = report_stream::FrameReader{};
  deviceGone_ = false;
  mute_ = ++connections_ <= backend_.options().connectionsWithoutHello;
  if (mute_) return;
  backend_.Plug();  // a new connection is a (re-)plugged device
  connection_ = backend_.Open(backend_.DeviceInfo());
  if (!connection_ ||
      !Send(report_stream::EncodeFrame(report_stream::FormatHello(backend_.DeviceInfo())))) {
    CloseClient();
  }
}

void ReportStreamServer::ReadFromClient() {
  std::uint8_t chunk[4096];
  const std::ptrdiff_t got = net::Receive(clientFd_, chunk, sizeof chunk);
  if (got == net::kTryAgain) return;
  if (got <= 0) {
    CloseClient();
    return;
  }
  if (mute_) return;
  reader_.Feed(chunk, static_cast<std::size_t>(got));
  while (auto frame = reader_.Next()) {
    // Each frame should be one output report of OUT bytes; shorter or longer ones are
    // passed on as they are, an empty one carries nothing.
    if (frame->empty() || deviceGone_) continue;
    if (!connection_->Write(frame->data(), frame->size())) deviceGone_ = true;
  }
}

void ReportStreamServer::SendQueuedReports() {
  for (;;) {
    const bool cut = backend_.NextReportIsCut();
    std::size_t delivered = 0;
    const ReadStatus status = connection_->Read(report_.data(), report_.size(), 0, delivered);
    if (status == ReadStatus::Timeout) return;
    if (status == ReadStatus::Failed) {
      deviceGone_ = true;
      return;
    }
    std::vector<std::uint8_t> frame = report_stream::EncodeFrame(report_.data(), delivered);
    if (cut) frame.resize(std::min(frame.size(), 2 + kCutFrameBytes));
    if (!Send(frame)) return;
    if (cut) {
      mute_ = true;
      return;
    }
  }
}

bool ReportStreamServer::Send(const std::vector<std::uint8_t>& bytes) {
  if (clientFd_ != net::kNoSocket && !net::SendAll(clientFd_, bytes.data(), bytes.size())) {
    CloseClient();
  }
  return clientFd_ != net::kNoSocket;
}

void ReportStreamServer::CloseClient() {
  connection_.reset();
  net::Close(clientFd_);
}

}  // namespace qel::sim
