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

namespace {
using SteadyClock = std::chrono::steady_clock;

int MsLeft(SteadyClock::time_point deadline) {
  const auto left =
      std::chrono::ceil<std::chrono::milliseconds>(deadline - SteadyClock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}
}  // namespace

struct ReportStreamBackend::Stream {
  int fd = -1;
  bool alive = false;
  int limitMs = 1000;  // how long the rest of a started frame may take
  HidDeviceInfo info;
  report_stream::FrameReader reader;
  SteadyClock::time_point partialSince{};  // when the bytes of an unfinished frame began
  std::deque<std::vector<std::uint8_t>> frames;

  ~Stream() { Close(); }
  void Close() {
    if (fd >= 0) ::close(fd);
    fd = -1;
    alive = false;
    frames.clear();
  }

  // Takes what recv delivered; false when the peer closed or the connection failed.
  bool Take(const std::uint8_t* data, ssize_t got) {
    if (got <= 0) {
      Close();
      return false;
    }
    const bool wasPartial = reader.HasPartial();
    reader.Feed(data, static_cast<std::size_t>(got));
    std::size_t completed = 0;
    for (; auto next = reader.Next(); ++completed) frames.push_back(std::move(*next));
    if (reader.HasPartial() && (!wasPartial || completed > 0)) partialSince = SteadyClock::now();
    return true;
  }

  // A frame that was begun and not finished within the time limit leaves the stream out
  // of step for good (its announced length would swallow the next frame), so it is a
  // dropped connection; the next scan reconnects.
  bool StalledInFrame() {
    if (alive && reader.HasPartial() &&
        SteadyClock::now() - partialSince >= std::chrono::milliseconds(limitMs)) {
      Close();
      return true;
    }
    return false;
  }

  // Waits up to timeoutMs (negative: no limit) for one whole frame.
  // Returns false on time-out or when the connection closed (then alive is false).
  bool NextFrame(std::vector<std::uint8_t>& frame, int timeoutMs) {
    const auto deadline =
        SteadyClock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    for (;;) {
      if (!alive) return false;
      if (!frames.empty()) {
        frame = std::move(frames.front());
        frames.pop_front();
        return true;
      }
      const int wait = timeoutMs < 0 ? -1 : MsLeft(deadline);
      pollfd p{fd, POLLIN, 0};
      const int ready = ::poll(&p, 1, wait);
      if (ready < 0 && errno == EINTR) continue;
      if (ready < 0) {
        Close();
        return false;
      }
      if (ready == 0) {
        // A time-out in the middle of a frame drops the connection; a mere look (no
        // time limit of its own) only does when the frame has stalled that long.
        if (timeoutMs > 0 && reader.HasPartial()) {
          Close();
        } else {
          StalledInFrame();
        }
        return false;
      }
      std::uint8_t chunk[4096];
      const ssize_t got = ::recv(fd, chunk, sizeof chunk, 0);
      if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
      if (!Take(chunk, got)) return false;
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

  // A peer that closed is noticed here even when nothing was read since, and even when
  // it left bytes unread: everything waiting is taken in, so a close behind them is seen
  // (and their frames, of a connection that is gone, are never handed to a line).
  bool StillOpen() {
    while (alive) {
      std::uint8_t chunk[4096];
      const ssize_t got = ::recv(fd, chunk, sizeof chunk, MSG_DONTWAIT);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
      if (!Take(chunk, got)) break;
    }
    StalledInFrame();
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

ReportStreamBackend::ReportStreamBackend(std::string host, int port, int timeLimitMs)
    : host_(std::move(host)), port_(port), timeLimitMs_(1000) {
  SetTimeLimitMs(timeLimitMs);
}

ReportStreamBackend::~ReportStreamBackend() = default;

void ReportStreamBackend::SetTimeLimitMs(int ms) {
  timeLimitMs_ = ms < 0 ? 1000 : ms;
  if (stream_) stream_->limitMs = timeLimitMs_;
}

std::chrono::steady_clock::time_point ReportStreamBackend::Now() const {
  return clock_ ? clock_() : SteadyClock::now();
}

std::string ReportStreamBackend::Path() const {
  return "tcp:" + host_ + ":" + std::to_string(port_);
}

bool ReportStreamBackend::Connect() {
  // Connect and hello together take at most the time limit.
  const auto deadline = SteadyClock::now() + std::chrono::milliseconds(timeLimitMs_);
  auto stream = std::make_shared<Stream>();
  stream->limitMs = timeLimitMs_;
  stream->fd = ConnectWithTimeout(host_, port_, timeLimitMs_, lastError_);
  if (stream->fd < 0) return false;
  stream->alive = true;
  std::vector<std::uint8_t> hello;
  if (!stream->NextFrame(hello, std::max(1, MsLeft(deadline)))) {
    lastError_ = Path() + ": no hello frame from the instrument within " +
                 std::to_string(timeLimitMs_) + " ms";
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
  if (Now() < retryAt_) return {};  // lastError_ still tells why
  if (Connect()) return {stream_->info};
  retryAt_ = Now() + std::chrono::milliseconds(kConnectBackOffMs);
  return {};
}

std::unique_ptr<HidConnection> ReportStreamBackend::Open(const HidDeviceInfo& device) {
  if (!stream_ || !stream_->alive || device.path != Path()) return nullptr;
  return std::make_unique<StreamConnection>(stream_);
}

}  // namespace qel
