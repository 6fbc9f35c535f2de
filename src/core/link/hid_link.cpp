#include "core/link/hid_link.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace qel {

namespace {

// Output report as the link builds it (the buffer holds at least 66 bytes):
//   @0  length 1   report ID, always 0
//   @1  length 65  command text, one byte per character, cut to 65; zero fill after it
// Only the device's OutputReportByteLength bytes of it are written, so a 65-byte report
// carries at most 64 text bytes.
constexpr std::size_t kBufferSize = 66;
constexpr std::size_t kMaxText = 65;

// Reports already queued are drained before the next write after a time-out; a device
// that keeps sending is not allowed to hold the link forever.
constexpr int kMaxDrainedReports = 64;

}  // namespace

HidLink::HidLink(HidBackend& backend, LogView& memo) : HidLink(backend) {
  memo_ = &memo;
}

HidLink::HidLink(HidBackend& backend) : controller_(backend) {
  controller_.OnArrival = [this](HidDevice& device) { HidCtlArrival(device); };
  controller_.OnRemoval = [this](HidDevice& device) { HidCtlRemoval(device); };
  controller_.OnDeviceChange = [this] { HidCtlDeviceChange(); };
  controller_.OnEnumerate = [this](HidDevice& device) { return HidCtlEnumerate(device); };
}

std::chrono::steady_clock::time_point HidLink::Now() const {
  return clock_ ? clock_() : std::chrono::steady_clock::now();
}

void HidLink::ScanNow() {
  controller_.Scan();
  // The panel and the flag tell whether an instrument is claimed after every scan, also
  // when it was claimed on arrival (no enumeration step then sets them) and after it was
  // removed as the only HID device (no enumeration step runs at all).
  if (linkDevice_ != nullptr) {
    SetStatus(ConnectStatus::QelFound, true);
  } else {
    SetStatus(ConnectStatus::NoQel, false);
  }
}

void HidLink::SetStatus(qel::ConnectStatus status, bool connected) {
  const bool changed = status != status_ || connected != connected_;
  status_ = status;
  connected_ = connected;
  if (changed && OnStatusChanged) OnStatusChanged();
}

bool HidLink::MatchesIds(const HidDevice* device, std::uint16_t vendor, std::uint16_t product) {
  return device != nullptr && device->VendorId() == vendor && device->ProductId() == product;
}

bool HidLink::IsInstrument(const HidDevice* device) {
  return MatchesIds(device, kQelVendorId, kQelProductId) ||
         MatchesIds(device, kQelVendorId, kQelProductIdAlt);
}

void HidLink::HidCtlArrival(HidDevice& device) {
  if (!IsInstrument(&device)) return;
  if (device.OutputReportByteLength() == 66 && controller_.CheckOut(device)) {
    linkDevice_ = &device;
  }
}

void HidLink::HidCtlRemoval(HidDevice& /*device*/) {
  if (linkDevice_ != nullptr && !linkDevice_->PluggedIn()) {
    controller_.CheckIn(linkDevice_);
    drainBeforeWrite_ = false;
    holdOffUntil_ = {};
  }
}

void HidLink::HidCtlDeviceChange() {
  memo_->Clear();
  AddLogLine("Device Change ");
  controller_.Enumerate();
}

bool HidLink::HidCtlEnumerate(HidDevice& device) {
  AddLogLine(DescribeDevice(device));
  // Only an instrument is ever claimed (and so opened); other HID devices are listed only.
  HidDevice* claimed =
      controller_.CheckOutFirstFree([](const HidDevice& d) { return IsInstrument(&d); });
  if (linkDevice_ != nullptr) {
    // Nothing to do: give back what this step took, so it stays free for later passes.
    if (claimed != nullptr) controller_.CheckIn(claimed);
    return true;
  }
  SetStatus(ConnectStatus::NoQel, false);
  if (claimed == nullptr) return true;
  if (IsInstrument(claimed)) {
    linkDevice_ = claimed;
    SetStatus(ConnectStatus::QelFound, true);
  }
  return true;
}

std::string HidLink::DescribeDevice(const HidDeviceInfo& info) {
  char ids[40];
  std::snprintf(ids, sizeof ids, " Vendor:$%04X Product:$%04X", info.vendorId, info.productId);
  return "DEV: " + info.manufacturer + " " + info.product + ids;
}

std::string HidLink::DescribeDevice(const HidDevice& device) {
  return DescribeDevice(device.Info());
}

std::string HidLink::EscapeText(const std::string& text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (code >= 32 && code <= 126) {
      out.push_back(c);
    } else {
      out += "#$";
      out.push_back(kHex[code >> 4]);
      out.push_back(kHex[code & 0x0F]);
    }
  }
  return out;
}

void HidLink::AddLogLine(const std::string& text) {
  while (memo_->LineCount() > kLogLimit) memo_->DeleteFirstLine();
  if (text.empty()) {
    memo_->Clear();
  } else {
    memo_->AppendLine(text);
  }
}

void HidLink::DebugLog(const std::string& text) {
  if (debug_) AddLogLine(EscapeText(text));
}

std::string HidLink::Exchange(const std::string& text) {
  lastReadGotReport_ = false;
  std::string reply;
  if (WriteReport(text)) reply = ReadReport();
  lastAnswered_ = lastReadGotReport_;
  if (!lastAnswered_) ++unanswered_;
  return reply;
}

void HidLink::DrainQueuedReports() {
  const std::size_t capacity =
      std::max<std::size_t>(kBufferSize, std::max(0, linkDevice_->InputReportByteLength()));
  std::vector<std::uint8_t> buffer(capacity);
  for (int i = 0; i < kMaxDrainedReports; ++i) {
    std::size_t delivered = 0;
    if (linkDevice_->Read(buffer.data(), buffer.size(), 0, delivered) != ReadStatus::Report) break;
  }
  drainBeforeWrite_ = false;
}

bool HidLink::WriteReport(const std::string& text) {
  if (linkDevice_ == nullptr) return false;
  // After a read ran out of time the instrument is taken as hung for a short while:
  // every line answers empty at once instead of costing one time limit each.
  if (Now() < holdOffUntil_) return false;
  if (drainBeforeWrite_) DrainQueuedReports();

  DebugLog("SND: >" + text + "<");
  const int length = linkDevice_->OutputReportByteLength();
  if (length <= 0) return false;
  std::vector<std::uint8_t> buffer(std::max<std::size_t>(kBufferSize, length), 0);
  const std::size_t n = std::min(text.size(), kMaxText);
  std::copy_n(text.begin(), n, buffer.begin() + 1);
  // The outcome of the write is not looked at: a refused write shows up as a failed read.
  linkDevice_->Write(buffer.data(), static_cast<std::size_t>(length));
  return true;
}

std::string HidLink::ReadReport() {
  std::size_t n = 0;
  std::vector<std::uint8_t> buffer(kBufferSize, 0);
  if (linkDevice_ != nullptr) {
    const int length = linkDevice_->InputReportByteLength();
    const std::size_t wanted = length > 0 ? static_cast<std::size_t>(length) : kBufferSize;
    buffer.assign(std::max(kBufferSize, wanted), 0);
    const ReadStatus status = linkDevice_->Read(buffer.data(), wanted, readTimeoutMs_, n);
    if (status == ReadStatus::Report) {
      lastReadGotReport_ = true;
    } else {
      n = 0;
      if (status == ReadStatus::Timeout) {
        holdOffUntil_ = Now() + std::chrono::milliseconds(kHoldOffMs);
        drainBeforeWrite_ = true;
      }
    }
  }
  n = std::min<std::size_t>(n, kMaxText);
  std::string text;
  if (n > 1) text.assign(reinterpret_cast<const char*>(buffer.data()) + 1, n - 1);
  DebugLog("REC: >" + text + "<");
  std::copy_n(buffer.begin() + 1, lastReport_.size(), lastReport_.begin());
  return text;
}

}  // namespace qel
