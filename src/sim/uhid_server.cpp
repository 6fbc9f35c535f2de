// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/uhid_server.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "sim/sim_backend.h"

namespace qel::sim {

namespace {
using Clock = std::chrono::steady_clock;
constexpr std::uint16_t kRefused = EIO;
}  // namespace

UhidDeviceParams InstrumentDeviceParams(const HidDeviceInfo& info) {
  UhidDeviceParams params;
  params.name = info.manufacturer + " " + info.product;
  params.phys = "qel11-sim/uhid";
  params.uniq = info.serial;
  params.vendorId = info.vendorId;
  params.productId = info.productId;
  params.version = 0x0100;
  // Lengths are counted with the report-ID byte; the descriptor's reports do not have one.
  params.reportDescriptor =
      VendorReportDescriptor(info.inputReportByteLength - 1, info.outputReportByteLength - 1);
  return params;
}

UhidServer::UhidServer(SimBackend& backend, UhidServerOptions options)
    : backend_(backend), options_(std::move(options)) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
    wakeRead_ = fds[0];
    wakeWrite_ = fds[1];
  }
}

UhidServer::~UhidServer() {
  connection_.reset();
  device_.reset();  // destroys the device: an unplug
  for (int fd : {wakeRead_, wakeWrite_}) {
    if (fd >= 0) ::close(fd);
  }
}

void UhidServer::LogEvent(const std::string& text) {
  if (eventLog_.is_open()) eventLog_ << text << '\n' << std::flush;
}

bool UhidServer::Start(std::unique_ptr<UhidDevice> device, std::string& error) {
  if (wakeRead_ < 0) {
    error = std::string("pipe: ") + std::strerror(errno);
    return false;
  }
  if (!options_.eventLog.empty()) {
    eventLog_.open(options_.eventLog, std::ios::app | std::ios::binary);
    if (!eventLog_) {
      error = options_.eventLog + ": cannot be opened";
      return false;
    }
  }
  device_ = std::move(device);
  return device_ != nullptr && CreateDevice(error);
}

bool UhidServer::CreateDevice(std::string& error) {
  backend_.Plug();
  connection_ = backend_.Open(backend_.DeviceInfo());
  if (!connection_) {
    error = "the virtual instrument cannot be opened";
    return false;
  }
  if (!device_->Create(InstrumentDeviceParams(backend_.DeviceInfo()), error)) return false;
  deviceGone_ = false;
  LogEvent("create");
  if (OnNotice) OnNotice("uhid device created");
  return true;
}

void UhidServer::DestroyDevice() {
  connection_.reset();
  device_->Destroy();
  LogEvent("destroy");
  if (OnNotice) OnNotice("uhid device destroyed");
  replugAt_ = Clock::now() + std::chrono::milliseconds(options_.replugDelayMs);
}

void UhidServer::Gone() {
  if (deviceGone_) return;
  deviceGone_ = true;
  unplugAt_ = Clock::now() + std::chrono::milliseconds(kUnplugGraceMs);
}

void UhidServer::Stop() {
  const char byte = 1;
  if (wakeWrite_ >= 0) {
    [[maybe_unused]] const ssize_t n = ::write(wakeWrite_, &byte, 1);
  }
}

int UhidServer::PollTimeoutMs() const {
  auto until = [](Clock::time_point due) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(due - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
  };
  if (!device_->created()) return until(replugAt_);
  if (deviceGone_) return until(unplugAt_);
  const auto due = backend_.NextReportDue();
  return due ? until(*due) : -1;
}

bool UhidServer::Run(std::string& error) {
  for (;;) {
    pollfd fds[2] = {{wakeRead_, POLLIN, 0}, {device_->fd(), POLLIN, 0}};
    const int ready = ::poll(fds, 2, PollTimeoutMs());
    if (ready < 0 && errno != EINTR) {
      error = std::string("poll: ") + std::strerror(errno);
      return false;
    }
    if (ready > 0 && (fds[0].revents & POLLIN)) return true;
    if (ready > 0 && (fds[1].revents & POLLIN)) {
      if (!HandleEvent(error)) return false;
    } else if (ready > 0 && (fds[1].revents & (POLLERR | POLLHUP | POLLNVAL))) {
      error = "uhid descriptor failed";
      return false;
    }
    if (device_->created()) {
      SendQueuedReports();
      if (deviceGone_ && Clock::now() >= unplugAt_) DestroyDevice();
    } else if (Clock::now() >= replugAt_ && !CreateDevice(error)) {
      return false;
    }
  }
}

bool UhidServer::HandleEvent(std::string& error) {
  UhidEvent event;
  if (!device_->ReadEvent(event, error)) return false;
  switch (event.kind) {
    case UhidEvent::Kind::Output: {
      if (event.data.empty()) {
        LogEvent("output 0");
        break;
      }
      // What a USB device receives: the report without hidraw's report-ID byte.
      LogEvent("output " + std::to_string(event.data.size() - 1));
      if (deviceGone_) {
        DestroyDevice();
        break;
      }
      if (!connection_) break;
      // The backend's reports carry the ID first, as the tool's do.
      std::vector<std::uint8_t> report(event.data.size(), 0);
      std::copy(event.data.begin() + 1, event.data.end(), report.begin() + 1);
      if (!connection_->Write(report.data(), report.size())) Gone();
      break;
    }
    case UhidEvent::Kind::GetReport:
      LogEvent("get_report");
      device_->ReplyGetReport(event.requestId, kRefused);
      break;
    case UhidEvent::Kind::SetReport:
      LogEvent("set_report");
      device_->ReplySetReport(event.requestId, kRefused);
      break;
    default:
      LogEvent(UhidEventName(event.kind));
      break;
  }
  return true;
}

void UhidServer::SendQueuedReports() {
  if (!connection_) return;
  std::vector<std::uint8_t> report(
      static_cast<std::size_t>(backend_.DeviceInfo().inputReportByteLength) + 1);
  for (;;) {
    std::size_t delivered = 0;
    const ReadStatus status = connection_->Read(report.data(), report.size(), 0, delivered);
    if (status == ReadStatus::Timeout) return;
    if (status == ReadStatus::Failed) {
      Gone();
      return;
    }
    // Without report IDs the report goes out without its ID byte.
    if (delivered > 0) device_->SendInput(report.data() + 1, delivered - 1);
  }
}

}  // namespace qel::sim
