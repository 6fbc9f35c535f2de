#include "core/link/report_stream_backend.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <deque>

#include "core/link/report_stream_protocol.h"

namespace qel {

struct ReportStreamBackend::Stream {
  int fd = -1;
  bool alive = false;
  HidDeviceInfo info;
  report_stream::FrameReader reader;
  std::deque<std::vector<std::uint8_t>> frames;

  ~Stream() { Close(); }
  void Close() {
    if (fd >= 0) ::close(fd);
    fd = -1;
    alive = false;
  }

  // Waits up to timeoutMs (negative: no limit) for one whole frame.
  // Returns false on time-out or when the connection closed (then alive is false).
  bool NextFrame(std::vector<std::uint8_t>& frame, int timeoutMs) {
    using clock = std::chrono::steady_clock;
    const auto deadline = clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    for (;;) {
      if (!frames.empty()) {
        frame = std::move(frames.front());
        frames.pop_front();
        return true;
      }
      if (!alive) return false;
      int wait = -1;
      if (timeoutMs >= 0) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - clock::now()).count();
        wait = left > 0 ? static_cast<int>(left) : 0;
      }
      pollfd p{fd, POLLIN, 0};
      const int ready = ::poll(&p, 1, wait);
      if (ready < 0 && errno == EINTR) continue;
      if (ready < 0) {
        Close();
        return false;
      }
      if (ready == 0) return false;
      std::uint8_t chunk[4096];
      const ssize_t got = ::recv(fd, chunk, sizeof chunk, 0);
      if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
      if (got <= 0) {
        Close();
        return false;
      }
      reader.Feed(chunk, static_cast<std::size_t>(got));
      while (auto next = reader.Next()) frames.push_back(std::move(*next));
    }
  }

  bool SendAll(const std::vector<std::uint8_t>& bytes) {
    std::size_t sent = 0;
    while (alive && sent < bytes.size()) {
      const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        Close();
        return false;
      }
      sent += static_cast<std::size_t>(n);
    }
    return alive;
  }

  // A peer that closed is noticed here even when nothing was read since.
  bool StillOpen() {
    if (!alive) return false;
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 0) > 0) {
      std::uint8_t byte = 0;
      const ssize_t n = ::recv(fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
      if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) Close();
    }
    return alive;
  }
};

namespace {

class StreamConnection : public HidConnection {
 public:
  explicit StreamConnection(std::shared_ptr<ReportStreamBackend::Stream> stream)
      : stream_(std::move(stream)) {}

  bool Write(const std::uint8_t* data, std::size_t length) override {
    return stream_->SendAll(report_stream::EncodeFrame(data, length));
  }

  ReadStatus Read(std::uint8_t* buffer, std::size_t capacity, int timeoutMs,
                  std::size_t& delivered) override {
    delivered = 0;
    std::vector<std::uint8_t> frame;
    if (!stream_->NextFrame(frame, timeoutMs)) {
      return stream_->alive ? ReadStatus::Timeout : ReadStatus::Failed;
    }
    delivered = std::min(capacity, frame.size());
    std::copy_n(frame.begin(), delivered, buffer);
    return ReadStatus::Report;
  }

 private:
  std::shared_ptr<ReportStreamBackend::Stream> stream_;
};

int ConnectWithTimeout(const std::string& host, int port, int timeoutMs, std::string& error) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const std::string service = std::to_string(port);
  if (const int rc = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &found); rc != 0) {
    error = std::string("cannot resolve ") + host + ": " + ::gai_strerror(rc);
    return -1;
  }
  int fd = -1;
  for (addrinfo* a = found; a != nullptr && fd < 0; a = a->ai_next) {
    fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
    if (fd < 0) continue;
    const int flags = ::fcntl(fd, F_GETFL, 0);
    ::fcntl(fd, F_SETFL, flags | O_NONBLOCK);
    int rc = ::connect(fd, a->ai_addr, a->ai_addrlen);
    if (rc < 0 && errno == EINPROGRESS) {
      pollfd p{fd, POLLOUT, 0};
      rc = ::poll(&p, 1, timeoutMs) == 1 ? 0 : -1;
      int soError = 0;
      socklen_t len = sizeof soError;
      if (rc == 0 && (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &soError, &len) < 0 || soError)) {
        errno = soError;
        rc = -1;
      }
    }
    if (rc < 0) {
      error = std::string("cannot connect to ") + host + ":" + service + ": " +
              (errno ? std::strerror(errno) : "timed out");
      ::close(fd);
      fd = -1;
      continue;
    }
    ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  }
  ::freeaddrinfo(found);
  return fd;
}

}  // namespace

ReportStreamBackend::ReportStreamBackend(std::string host, int port, int connectTimeoutMs)
    : host_(std::move(host)), port_(port), connectTimeoutMs_(connectTimeoutMs) {}

ReportStreamBackend::~ReportStreamBackend() = default;

std::string ReportStreamBackend::Path() const {
  return "tcp:" + host_ + ":" + std::to_string(port_);
}

bool ReportStreamBackend::Connect() {
  auto stream = std::make_shared<Stream>();
  stream->fd = ConnectWithTimeout(host_, port_, connectTimeoutMs_, lastError_);
  if (stream->fd < 0) return false;
  stream->alive = true;
  std::vector<std::uint8_t> hello;
  if (!stream->NextFrame(hello, connectTimeoutMs_)) {
    lastError_ = Path() + ": no hello frame from the instrument";
    return false;
  }
  auto info = report_stream::ParseHello(std::string(hello.begin(), hello.end()));
  if (!info) {
    lastError_ = Path() + ": malformed hello frame";
    return false;
  }
  info->path = Path();
  stream->info = *info;
  stream_ = std::move(stream);
  lastError_.clear();
  return true;
}

std::vector<HidDeviceInfo> ReportStreamBackend::Enumerate() {
  if (stream_ && stream_->StillOpen()) return {stream_->info};
  if (stream_) {
    // The connection closed: one scan sees the device gone before a reconnect plugs it
    // in again, as with a real unplug and replug.
    stream_.reset();
    return {};
  }
  if (Connect()) return {stream_->info};
  return {};
}

std::unique_ptr<HidConnection> ReportStreamBackend::Open(const HidDeviceInfo& device) {
  if (!stream_ || !stream_->alive || device.path != Path()) return nullptr;
  return std::make_unique<StreamConnection>(stream_);
}

}  // namespace qel
