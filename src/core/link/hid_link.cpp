// SPDX-License-Identifier: GPL-3.0-or-later
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

// Reports already queued are drained before each write; a device that keeps sending is
// not allowed to hold the link forever.
constexpr int kMaxDrainedReports = 64;

// The reply text of an input report: bytes 1 to n-1 of the n delivered (n at most 65).
std::string ReplyText(const std::vector<std::uint8_t>& buffer, std::size_t delivered) {
  const std::size_t n = std::min(delivered, kMaxText);
  if (n <= 1) return {};
  return std::string(reinterpret_cast<const char*>(buffer.data()) + 1, n - 1);
}

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

HidLink::TimePoint HidLink::Now() const {
  return clock_ ? clock_() : std::chrono::steady_clock::now();
}

void HidLink::SetReadTimeoutMs(int ms) {
  readTimeoutMs_ = ms;
  controller_.Backend().SetTimeLimitMs(ms);
}

void HidLink::ScanNow() {
  controller_.Scan();
  // An instrument that could not be opened (no permission on its node yet) is tried
  // again on every scan, so fixing the permission needs no replug.
  // Every free instrument is tried, so one that cannot be opened never hides another.
  if (linkDevice_ == nullptr && !openError_.empty()) {
    bool present = false;
    for (const auto& device : controller_.Devices()) {
      if (!device->PluggedIn() || device->Claimed() || !IsInstrument(device.get())) continue;
      present = true;
      if (controller_.CheckOut(*device) && Claim(device.get())) break;
    }
    if (!present) openError_.clear();  // it is gone
  }
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

bool HidLink::IsInstrument(const HidDevice* device) {
  return device != nullptr && IsInstrumentId(device->VendorId(), device->ProductId());
}

// The link opens what it claims at once: a device that cannot be opened (no permission
// on its node, typically before the udev rule is installed) would otherwise look like a
// working connection whose every line fails without a word. It is given back, and the
// link log says why.
bool HidLink::Claim(HidDevice* claimed) {
  if (!claimed->Open()) {
    const std::string reason = claimed->OpenError();
    if (reason != openError_ || !openErrorShown_) AddLogLine("OPEN FAILED: " + reason);
    openError_ = reason;
    openErrorShown_ = true;
    controller_.CheckIn(claimed);
    return false;
  }
  openError_.clear();
  linkDevice_ = claimed;
  ForgetOwedReports();  // a fresh handle: nothing of an old one can arrive on it
  return true;
}

void HidLink::HidCtlArrival(HidDevice& device) {
  if (!IsInstrument(&device)) return;
  if (device.OutputReportByteLength() == 66 && controller_.CheckOut(device)) Claim(&device);
}

void HidLink::HidCtlRemoval(HidDevice& /*device*/) {
  if (linkDevice_ != nullptr && !linkDevice_->PluggedIn()) {
    controller_.CheckIn(linkDevice_);
    ForgetOwedReports();
    holdOffUntil_ = {};
  }
}

void HidLink::HidCtlDeviceChange() {
  memo_->Clear();
  openErrorShown_ = false;
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
  if (IsInstrument(claimed) && Claim(claimed)) SetStatus(ConnectStatus::QelFound, true);
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

std::string HidLink::Exchange(const std::string& text, const std::function<void()>& onWritten) {
  lastReadGotReport_ = false;
  std::string reply;
  if (WriteReport(text)) {
    if (onWritten) onWritten();
    reply = ReadReport();
  }
  lastAnswered_ = lastReadGotReport_;
  if (!lastAnswered_) ++unanswered_;
  return reply;
}

// Reports owed to timed-out lines. The instrument answers every line, in order, so after
// a line timed out its answer may still come, and the first report that arrives then
// belongs to that old line, however late, not to the line just written. Each time-out
// therefore adds one owed report, and every report that arrives while any is owed is
// thrown away and pays one off (the read goes on waiting for its own line's answer
// within the same time limit).
//
// An answer that never comes would then eat one genuine reply after another: the line
// whose reply was eaten times out in turn and owes a report of its own. So what is owed
// expires: each owed report is waited for kOwedReportLifetimeMs from its time-out, and an
// owed report added by a read that threw a report away keeps the deadline of the one it
// paid off (that report may well have been this line's own answer), so such a chain ends
// at the first deadline and the link is in step again. Late answers of up to several
// seconds, even several in a row, fall well within it. A new device handle (unplug and
// replug, a reconnect) starts with nothing owed.
void HidLink::ForgetOwedReports() {
  owed_.clear();
}

bool HidLink::TakeOwedReport(TimePoint& deadline) {
  const TimePoint now = Now();
  while (!owed_.empty() && owed_.front() <= now) owed_.pop_front();
  if (owed_.empty()) return false;
  deadline = std::min(deadline, owed_.front());
  owed_.pop_front();
  return true;
}

void HidLink::DrainQueuedReports() {
  // Before a line goes out, any report already waiting cannot be its answer: a late one
  // of an old line, or one the instrument sent unasked.
  const std::size_t capacity =
      std::max<std::size_t>(kBufferSize, std::max(0, linkDevice_->InputReportByteLength()));
  std::vector<std::uint8_t> buffer(capacity);
  for (int i = 0; i < kMaxDrainedReports; ++i) {
    std::size_t delivered = 0;
    if (linkDevice_->Read(buffer.data(), buffer.size(), 0, delivered) != ReadStatus::Report) break;
    TimePoint unused = TimePoint::max();
    TakeOwedReport(unused);
    DebugLog("LATE: >" + ReplyText(buffer, delivered) + "<");
  }
}

bool HidLink::WriteReport(const std::string& text) {
  if (linkDevice_ == nullptr) return false;
  // After a read ran out of time the instrument is taken as hung for a short while:
  // every line answers empty at once instead of costing one time limit each.
  if (Now() < holdOffUntil_) return false;
  const int length = linkDevice_->OutputReportByteLength();
  if (length <= 0) return false;
  DrainQueuedReports();

  std::vector<std::uint8_t> buffer(std::max<std::size_t>(kBufferSize, length), 0);
  const std::size_t n = std::min(text.size(), kMaxText);
  std::copy_n(text.begin(), n, buffer.begin() + 1);
  // A refused write sent nothing, so no answer is owed and none is waited for.
  if (!linkDevice_->Write(buffer.data(), static_cast<std::size_t>(length))) return false;
  DebugLog("SND: >" + text + "<");
  return true;
}

std::string HidLink::ReadReport() {
  std::size_t n = 0;
  std::vector<std::uint8_t> buffer(kBufferSize, 0);
  if (linkDevice_ != nullptr) {
    const int length = linkDevice_->InputReportByteLength();
    const std::size_t wanted = length > 0 ? static_cast<std::size_t>(length) : kBufferSize;
    buffer.assign(std::max(kBufferSize, wanted), 0);
    const bool limited = readTimeoutMs_ >= 0;
    const TimePoint deadline = Now() + std::chrono::milliseconds(std::max(0, readTimeoutMs_));
    TimePoint inherited = TimePoint::max();
    ReadStatus status = ReadStatus::Failed;
    for (;;) {
      int wait = -1;
      if (limited) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Now()).count();
        wait = static_cast<int>(std::max<decltype(left)>(0, left));
      }
      status = linkDevice_->Read(buffer.data(), wanted, wait, n);
      if (status != ReadStatus::Report || !TakeOwedReport(inherited)) break;
      DebugLog("LATE: >" + ReplyText(buffer, n) + "<");
      std::fill(buffer.begin(), buffer.end(), 0);
    }
    if (status == ReadStatus::Report) {
      lastReadGotReport_ = true;
    } else {
      n = 0;
      if (status == ReadStatus::Timeout) {
        const TimePoint now = Now();
        holdOffUntil_ = now + std::chrono::milliseconds(kHoldOffMs);
        owed_.push_back(std::min(inherited, now + std::chrono::milliseconds(owedLifetimeMs_)));
      }
    }
  }
  std::string text = ReplyText(buffer, n);
  DebugLog("REC: >" + text + "<");
  std::copy_n(buffer.begin() + 1, lastReport_.size(), lastReport_.begin());
  return text;
}

}  // namespace qel
