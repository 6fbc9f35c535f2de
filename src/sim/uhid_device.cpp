// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/uhid_device.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#if defined(__linux__)
#include <fcntl.h>
#include <linux/uhid.h>
#include <unistd.h>
#endif

namespace qel::sim {

std::vector<std::uint8_t> VendorReportDescriptor(int inputBytes, int outputBytes) {
  // Short items, one application collection of the vendor page, 8-bit fields:
  //   06 00 FF  Usage Page (vendor 0xFF00)      A1 01     Collection (Application)
  //   09 01     Usage (1)                       15 00     Logical Minimum (0)
  //   26 FF 00  Logical Maximum (255)           75 08     Report Size (8 bits)
  //   95 nn     Report Count (input bytes)      09 01 81 02  Usage, Input (Data,Var,Abs)
  //   95 nn     Report Count (output bytes)     09 01 91 02  Usage, Output (Data,Var,Abs)
  //   C0        End Collection
  // A count above 255 takes the two-byte form (96 lo hi).
  std::vector<std::uint8_t> d = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01,
                                 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08};
  auto reportCount = [&d](int count) {
    const auto n = static_cast<unsigned>(std::max(0, count));
    if (n <= 0xFF) {
      d.insert(d.end(), {0x95, static_cast<std::uint8_t>(n)});
    } else {
      d.insert(d.end(),
               {0x96, static_cast<std::uint8_t>(n & 0xFF), static_cast<std::uint8_t>(n >> 8)});
    }
  };
  reportCount(inputBytes);
  d.insert(d.end(), {0x09, 0x01, 0x81, 0x02});
  reportCount(outputBytes);
  d.insert(d.end(), {0x09, 0x01, 0x91, 0x02});
  d.push_back(0xC0);
  return d;
}

const char* UhidEventName(UhidEvent::Kind kind) {
  switch (kind) {
    case UhidEvent::Kind::Start:
      return "start";
    case UhidEvent::Kind::Stop:
      return "stop";
    case UhidEvent::Kind::Open:
      return "open";
    case UhidEvent::Kind::Close:
      return "close";
    case UhidEvent::Kind::Output:
      return "output";
    case UhidEvent::Kind::GetReport:
      return "get_report";
    case UhidEvent::Kind::SetReport:
      return "set_report";
    case UhidEvent::Kind::Other:
      break;
  }
  return "other";
}

UhidDevice::UhidDevice(int fd) : fd_(fd) {}

#if defined(__linux__)

namespace {

template <std::size_t N>
void CopyText(std::uint8_t (&field)[N], const std::string& text) {
  const std::size_t n = std::min(text.size(), N - 1);  // the kernel wants it NUL-ended
  std::memcpy(field, text.data(), n);
}

}  // namespace

UhidDevice::~UhidDevice() {
  if (fd_ < 0) return;
  Destroy();
  ::close(fd_);
}

std::unique_ptr<UhidDevice> UhidDevice::OpenNode(const std::string& path, std::string& error) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) {
    error = path + ": " + std::strerror(errno);
    if (errno == ENOENT) error += " (is the uhid module loaded? modprobe uhid)";
    if (errno == EACCES) error += " (needs root or write permission on it)";
    return nullptr;
  }
  return std::make_unique<UhidDevice>(fd);
}

bool UhidDevice::WriteEvent(const void* event, std::size_t size) {
  for (;;) {
    const ssize_t n = ::write(fd_, event, size);
    if (n < 0 && errno == EINTR) continue;
    return n == static_cast<ssize_t>(size);
  }
}

bool UhidDevice::Create(const UhidDeviceParams& params, std::string& error) {
  if (created_) return true;
  if (params.reportDescriptor.size() > HID_MAX_DESCRIPTOR_SIZE) {
    error = "report descriptor too long";
    return false;
  }
  uhid_event event{};
  event.type = UHID_CREATE2;
  uhid_create2_req& req = event.u.create2;
  CopyText(req.name, params.name);
  CopyText(req.phys, params.phys);
  CopyText(req.uniq, params.uniq);
  req.rd_size = static_cast<__u16>(params.reportDescriptor.size());
  req.bus = BUS_USB;
  req.vendor = params.vendorId;
  req.product = params.productId;
  req.version = params.version;
  req.country = 0;
  std::copy(params.reportDescriptor.begin(), params.reportDescriptor.end(), req.rd_data);
  if (!WriteEvent(&event, sizeof event)) {
    error = std::string("UHID_CREATE2: ") + std::strerror(errno);
    return false;
  }
  created_ = true;
  return true;
}

bool UhidDevice::Destroy() {
  if (!created_) return true;
  created_ = false;
  uhid_event event{};
  event.type = UHID_DESTROY;
  return WriteEvent(&event, sizeof event);
}

bool UhidDevice::ReadEvent(UhidEvent& out, std::string& error) {
  uhid_event event{};
  ssize_t n;
  do {
    n = ::read(fd_, &event, sizeof event);
  } while (n < 0 && errno == EINTR);
  if (n < 0) {
    error = std::string("reading uhid: ") + std::strerror(errno);
    return false;
  }
  if (n < static_cast<ssize_t>(sizeof event.type)) {
    error = "uhid closed";
    return false;
  }
  out = UhidEvent{};
  switch (event.type) {
    case UHID_START:
      out.kind = UhidEvent::Kind::Start;
      break;
    case UHID_STOP:
      out.kind = UhidEvent::Kind::Stop;
      break;
    case UHID_OPEN:
      out.kind = UhidEvent::Kind::Open;
      break;
    case UHID_CLOSE:
      out.kind = UhidEvent::Kind::Close;
      break;
    case UHID_OUTPUT: {
      out.kind = UhidEvent::Kind::Output;
      const std::size_t size = std::min<std::size_t>(event.u.output.size, UHID_DATA_MAX);
      out.data.assign(event.u.output.data, event.u.output.data + size);
      break;
    }
    case UHID_GET_REPORT:
      out.kind = UhidEvent::Kind::GetReport;
      out.requestId = event.u.get_report.id;
      out.reportNumber = event.u.get_report.rnum;
      break;
    case UHID_SET_REPORT: {
      out.kind = UhidEvent::Kind::SetReport;
      out.requestId = event.u.set_report.id;
      out.reportNumber = event.u.set_report.rnum;
      const std::size_t size = std::min<std::size_t>(event.u.set_report.size, UHID_DATA_MAX);
      out.data.assign(event.u.set_report.data, event.u.set_report.data + size);
      break;
    }
    default:
      out.kind = UhidEvent::Kind::Other;
      break;
  }
  return true;
}

bool UhidDevice::SendInput(const std::uint8_t* data, std::size_t size) {
  if (!created_ || size > UHID_DATA_MAX) return false;
  uhid_event event{};
  event.type = UHID_INPUT2;
  event.u.input2.size = static_cast<__u16>(size);
  if (size > 0) std::memcpy(event.u.input2.data, data, size);
  return WriteEvent(&event, sizeof event);
}

bool UhidDevice::ReplyGetReport(std::uint32_t requestId, std::uint16_t err) {
  uhid_event event{};
  event.type = UHID_GET_REPORT_REPLY;
  event.u.get_report_reply.id = requestId;
  event.u.get_report_reply.err = err;
  event.u.get_report_reply.size = 0;
  return WriteEvent(&event, sizeof event);
}

bool UhidDevice::ReplySetReport(std::uint32_t requestId, std::uint16_t err) {
  uhid_event event{};
  event.type = UHID_SET_REPORT_REPLY;
  event.u.set_report_reply.id = requestId;
  event.u.set_report_reply.err = err;
  return WriteEvent(&event, sizeof event);
}

#else  // no uhid outside Linux

UhidDevice::~UhidDevice() = default;

std::unique_ptr<UhidDevice> UhidDevice::OpenNode(const std::string& path, std::string& error) {
  error = path + ": uhid exists only on Linux";
  return nullptr;
}
bool UhidDevice::WriteEvent(const void*, std::size_t) {
  return false;
}
bool UhidDevice::Create(const UhidDeviceParams&, std::string& error) {
  error = "uhid exists only on Linux";
  return false;
}
bool UhidDevice::Destroy() {
  return true;
}
bool UhidDevice::ReadEvent(UhidEvent&, std::string& error) {
  error = "uhid exists only on Linux";
  return false;
}
bool UhidDevice::SendInput(const std::uint8_t*, std::size_t) {
  return false;
}
bool UhidDevice::ReplyGetReport(std::uint32_t, std::uint16_t) {
  return false;
}
bool UhidDevice::ReplySetReport(std::uint32_t, std::uint16_t) {
  return false;
}

#endif

}  // namespace qel::sim
