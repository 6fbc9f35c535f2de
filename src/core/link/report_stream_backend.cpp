#include "core/link/report_stream_backend.h"

#include <algorithm>
#include <chrono>
#include <deque>

#include "core/link/report_stream_protocol.h"
#include "core/link/tcp_socket.h"

namespace qel {

struct ReportStreamBackend::Stream {
  net::NativeSocket fd = net::kNoSocket;
  bool alive = false;
  HidDeviceInfo info;
  report_stream::FrameReader reader;
  std::deque<std::vector<std::uint8_t>> frames;

  ~Stream() { Close(); }
  void Close() {
    net::Close(fd);
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
      const int ready = net::WaitReadable({fd}, wait);
      if (ready == net::kInterrupted) continue;
      if (ready == net::kWaitFailed) {
        Close();
        return false;
      }
      if (ready == net::kTimedOut) return false;
      std::uint8_t chunk[4096];
      const std::ptrdiff_t got = net::Receive(fd, chunk, sizeof chunk);
      if (got == net::kTryAgain) continue;
      if (got <= 0) {
        Close();
        return false;
      }
      reader.Feed(chunk, static_cast<std::size_t>(got));
      while (auto next = reader.Next()) frames.push_back(std::move(*next));
    }
  }

  bool SendAll(const std::vector<std::uint8_t>& bytes) {
    if (alive && !net::SendAll(fd, bytes.data(), bytes.size())) Close();
    return alive;
  }

  // A peer that closed is noticed here even when nothing was read since.
  bool StillOpen() {
    if (!alive) return false;
    if (net::PeerClosed(fd)) Close();
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

ReportStreamBackend::ReportStreamBackend(std::string host, int port, int connectTimeoutMs)
    : host_(std::move(host)), port_(port), connectTimeoutMs_(connectTimeoutMs) {}

ReportStreamBackend::~ReportStreamBackend() = default;

std::string ReportStreamBackend::Path() const {
  return "tcp:" + host_ + ":" + std::to_string(port_);
}

bool ReportStreamBackend::Connect() {
  auto stream = std::make_shared<Stream>();
  stream->fd = net::ConnectWithTimeout(host_, port_, connectTimeoutMs_, lastError_);
  if (stream->fd == net::kNoSocket) return false;
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
