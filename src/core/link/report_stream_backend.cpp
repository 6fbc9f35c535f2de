// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/report_stream_backend.h"

#include <algorithm>
#include <chrono>
#include <deque>

#include "core/link/report_stream_protocol.h"
#include "core/link/tcp_socket.h"

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
  net::NativeSocket fd = net::kNoSocket;
  bool alive = false;
  int limitMs = 1000;  // how long the rest of a started frame may take
  HidDeviceInfo info;
  report_stream::FrameReader reader;
  SteadyClock::time_point partialSince{};  // when the bytes of an unfinished frame began
  std::deque<std::vector<std::uint8_t>> frames;

  ~Stream() { Close(); }
  void Close() {
    net::Close(fd);
    alive = false;
    frames.clear();
  }

  // Takes what recv delivered; false when the peer closed or the connection failed.
  bool Take(const std::uint8_t* data, std::ptrdiff_t got) {
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
      const int ready = net::WaitReadable({fd}, wait);
      if (ready == net::kInterrupted) continue;
      if (ready == net::kWaitFailed) {
        Close();
        return false;
      }
      if (ready == net::kTimedOut) {
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
      const std::ptrdiff_t got = net::Receive(fd, chunk, sizeof chunk);
      if (got == net::kTryAgain) continue;
      if (!Take(chunk, got)) return false;
    }
  }

  bool SendAll(const std::vector<std::uint8_t>& bytes) {
    if (alive && !net::SendAll(fd, bytes.data(), bytes.size())) Close();
    return alive;
  }

  // A peer that closed is noticed here even when nothing was read since, and even when
  // it left bytes unread: everything waiting is taken in, so a close behind them is seen
  // (and their frames, of a connection that is gone, are never handed to a line).
  bool StillOpen() {
    while (alive) {
      std::uint8_t chunk[4096];
      const std::ptrdiff_t got = net::ReceiveWaiting(fd, chunk, sizeof chunk);
      if (got == net::kTryAgain) break;
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

}  // namespace

// A negative time limit is none given: then connecting and each read wait one second.
int ReportStreamBackend::EffectiveLimitMs(int ms) {
  return ms < 0 ? 1000 : ms;
}

ReportStreamBackend::ReportStreamBackend(std::string host, int port, int timeLimitMs)
    : host_(std::move(host)), port_(port), timeLimitMs_(EffectiveLimitMs(timeLimitMs)) {}

ReportStreamBackend::~ReportStreamBackend() = default;

void ReportStreamBackend::SetTimeLimitMs(int ms) {
  timeLimitMs_ = EffectiveLimitMs(ms);
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
  stream->fd = net::ConnectWithTimeout(host_, port_, timeLimitMs_, lastError_);
  if (stream->fd == net::kNoSocket) return false;
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
