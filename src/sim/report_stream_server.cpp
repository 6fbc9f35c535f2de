#include "sim/report_stream_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "sim/faults.h"
#include "sim/sim_backend.h"

namespace qel::sim {

ReportStreamServer::ReportStreamServer(SimBackend& backend) : backend_(backend) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
    wakeRead_ = fds[0];
    wakeWrite_ = fds[1];
  }
}

ReportStreamServer::~ReportStreamServer() {
  CloseClient();
  for (int fd : {listenFd_, wakeRead_, wakeWrite_}) {
    if (fd >= 0) ::close(fd);
  }
}

bool ReportStreamServer::Listen(std::uint16_t port, std::string& error) {
  if (wakeRead_ < 0) {
    error = std::string("pipe: ") + std::strerror(errno);
    return false;
  }
  listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listenFd_ < 0) {
    error = std::string("socket: ") + std::strerror(errno);
    return false;
  }
  const int yes = 1;
  ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);  // never reachable from elsewhere
  if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listenFd_, 1) != 0) {
    error = "127.0.0.1:" + std::to_string(port) + ": " + std::strerror(errno);
    return false;
  }
  socklen_t length = sizeof address;
  ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  return true;
}

void ReportStreamServer::Stop() {
  const char byte = 1;
  if (wakeWrite_ >= 0) {
    [[maybe_unused]] const ssize_t n = ::write(wakeWrite_, &byte, 1);
  }
}

int ReportStreamServer::PollTimeoutMs() const {
  if (clientFd_ < 0 || mute_) return -1;
  if (deviceGone_) return 0;
  const auto due = backend_.NextReportDue();
  if (!due) return -1;
  const auto left =
      std::chrono::ceil<std::chrono::milliseconds>(*due - std::chrono::steady_clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

void ReportStreamServer::Run() {
  for (;;) {
    pollfd fds[2] = {{wakeRead_, POLLIN, 0}, {clientFd_ >= 0 ? clientFd_ : listenFd_, POLLIN, 0}};
    const int ready = ::poll(fds, 2, PollTimeoutMs());
    if (ready < 0 && errno != EINTR) return;
    if (ready > 0 && (fds[0].revents & POLLIN)) return;
    if (ready > 0 && fds[1].revents != 0) {
      if (clientFd_ < 0) {
        Accept();
      } else {
        ReadFromClient();
      }
    }
    if (clientFd_ >= 0 && !mute_) SendQueuedReports();
    if (clientFd_ >= 0 && deviceGone_ && !mute_) {
      CloseClient();
      backend_.Plug();
    }
  }
}

void ReportStreamServer::Accept() {
  const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
  if (fd < 0) return;
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
  const ssize_t got = ::recv(clientFd_, chunk, sizeof chunk, 0);
  if (got < 0 && (errno == EINTR || errno == EAGAIN)) return;
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
  std::size_t sent = 0;
  while (clientFd_ >= 0 && sent < bytes.size()) {
    const ssize_t n = ::send(clientFd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      CloseClient();
      return false;
    }
    sent += static_cast<std::size_t>(n);
  }
  return clientFd_ >= 0;
}

void ReportStreamServer::CloseClient() {
  connection_.reset();
  if (clientFd_ >= 0) ::close(clientFd_);
  clientFd_ = -1;
}

}  // namespace qel::sim
