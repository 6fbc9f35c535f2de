// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/hidapi_backend.h"

#include <hidapi/hidapi.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string_view>
#include <utility>

#include "core/text/win1252.h"

namespace qel {

namespace {

bool IsHighSurrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char32_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

// Largest descriptor we read; the kernel's own limit is 4096 bytes.
constexpr std::size_t kMaxDescriptorBytes = 65536;

std::mutex g_libraryMutex;
int g_libraryUsers = 0;
bool g_libraryOk = false;

class HidapiConnection : public HidConnection {
 public:
  HidapiConnection(hid_device* device, bool usesReportIds)
      : device_(device), usesReportIds_(usesReportIds) {}
  ~HidapiConnection() override { hid_close(device_); }

  bool Write(const std::uint8_t* data, std::size_t length) override {
    if (data == nullptr || length == 0) return false;
    const int written = hid_write(device_, data, length);
    return written >= 0 && static_cast<std::size_t>(written) == length;
  }

  // hidraw hands a report of a device without report IDs over without an ID byte, and
  // one of a device with report IDs with its ID first. Both end up ID first here:
  //   @0  length 1  report ID (0 for a device without report IDs)
  //   @1  length n  report data
  ReadStatus Read(std::uint8_t* buffer, std::size_t capacity, int timeoutMs,
                  std::size_t& delivered) override {
    delivered = 0;
    const std::size_t skip = usesReportIds_ ? 0 : 1;
    if (buffer == nullptr || capacity <= skip) return ReadStatus::Failed;
    const int n =
        hid_read_timeout(device_, buffer + skip, capacity - skip, timeoutMs < 0 ? -1 : timeoutMs);
    if (n < 0) return ReadStatus::Failed;
    if (n == 0) return ReadStatus::Timeout;
    if (skip != 0) buffer[0] = 0;
    delivered = static_cast<std::size_t>(n) + skip;
    return ReadStatus::Report;
  }

 private:
  HidapiLibraryGuard library_;  // destroyed after the destructor's hid_close
  hid_device* device_;
  bool usesReportIds_;
};

}  // namespace

std::string WideToWindows1252(const wchar_t* text) {
  std::string out;
  if (text == nullptr) return out;
  for (const wchar_t* p = text; *p != 0 && out.size() < kDeviceStringMaxChars; ++p) {
    const auto c = static_cast<char32_t>(*p);
    // A UTF-16 pair (wchar_t is 16 bits on Windows) is one character beyond Latin-1.
    if (IsHighSurrogate(c) && IsLowSurrogate(static_cast<char32_t>(p[1]))) ++p;
    out.push_back(CodePointToWin1252(c));
  }
  return out;
}

std::string ReportDescriptorPath(const std::string& devicePath, const std::string& sysfsRoot) {
  const auto slash = devicePath.find_last_of('/');
  const std::string name = slash == std::string::npos ? devicePath : devicePath.substr(slash + 1);
  constexpr std::string_view kPrefix = "hidraw";
  if (name.size() <= kPrefix.size() || name.compare(0, kPrefix.size(), kPrefix) != 0) return {};
  if (!std::all_of(name.begin() + kPrefix.size(), name.end(),
                   [](char c) { return c >= '0' && c <= '9'; })) {
    return {};
  }
  return sysfsRoot + "/class/hidraw/" + name + "/device/report_descriptor";
}

bool IsHidrawNode(const std::string& devicePath, const std::string& sysfsRoot) {
  struct stat st {};
  if (devicePath.empty() || ::stat(devicePath.c_str(), &st) != 0 || !S_ISCHR(st.st_mode)) {
    return false;
  }
  const std::string link = sysfsRoot + "/dev/char/" + std::to_string(major(st.st_rdev)) + ":" +
                           std::to_string(minor(st.st_rdev)) + "/subsystem";
  std::error_code error;
  const std::filesystem::path target = std::filesystem::read_symlink(link, error);
  return !error && target.filename() == "hidraw";
}

ReportLengths ReadReportLengths(const std::string& devicePath, const std::string& sysfsRoot) {
  const std::string file = ReportDescriptorPath(devicePath, sysfsRoot);
  if (file.empty()) return {};
  std::ifstream in(file, std::ios::binary);
  if (!in) return {};
  std::vector<std::uint8_t> descriptor(kMaxDescriptorBytes);
  in.read(reinterpret_cast<char*>(descriptor.data()),
          static_cast<std::streamsize>(descriptor.size()));
  descriptor.resize(static_cast<std::size_t>(in.gcount()));
  return ComputeReportLengths(descriptor.data(), descriptor.size());
}

std::vector<HidDeviceInfo> DescribeDevices(const hid_device_info* list,
                                           const std::string& sysfsRoot) {
  std::vector<HidDeviceInfo> devices;
  for (const hid_device_info* d = list; d != nullptr; d = d->next) {
    if (d->path == nullptr) continue;
    HidDeviceInfo info;
    info.path = d->path;
    const bool seen = std::any_of(devices.begin(), devices.end(),
                                  [&](const HidDeviceInfo& e) { return e.path == info.path; });
    if (seen) continue;
    info.vendorId = d->vendor_id;
    info.productId = d->product_id;
    info.manufacturer = WideToWindows1252(d->manufacturer_string);
    info.product = WideToWindows1252(d->product_string);
    info.serial = WideToWindows1252(d->serial_number);
    const ReportLengths lengths = ReadReportLengths(info.path, sysfsRoot);
    info.inputReportByteLength = lengths.input;
    info.outputReportByteLength = lengths.output;
    devices.push_back(std::move(info));
  }
  std::stable_sort(devices.begin(), devices.end(),
                   [](const HidDeviceInfo& a, const HidDeviceInfo& b) { return a.path < b.path; });
  return devices;
}

HidapiLibraryGuard::HidapiLibraryGuard() {
  const std::lock_guard lock(g_libraryMutex);
  if (g_libraryUsers++ == 0) g_libraryOk = hid_init() == 0;
  ok_ = g_libraryOk;
}

HidapiLibraryGuard::~HidapiLibraryGuard() {
  const std::lock_guard lock(g_libraryMutex);
  if (--g_libraryUsers == 0) {
    if (g_libraryOk) hid_exit();
    g_libraryOk = false;
  }
}

HidapiBackend::HidapiBackend(std::string sysfsRoot) : sysfsRoot_(std::move(sysfsRoot)) {}

std::vector<HidDeviceInfo> HidapiBackend::Enumerate() {
  if (!library_.Ok()) return {};
  hid_device_info* list = hid_enumerate(0, 0);
  std::vector<HidDeviceInfo> devices = DescribeDevices(list, sysfsRoot_);
  hid_free_enumeration(list);
  return devices;
}

namespace {

std::string OpenFailure(const std::string& path, int error) {
  std::string text = path + ": " + std::strerror(error);
  if (error == EACCES || error == EPERM) {
    text +=
        " (no read/write permission on the node: install the udev rule 70-qel11.rules, "
        "see the README)";
  }
  return text;
}

}  // namespace

std::unique_ptr<HidConnection> HidapiBackend::Open(const HidDeviceInfo& device) {
  lastOpenError_.clear();
  if (!library_.Ok()) {
    lastOpenError_ = device.path + ": the HID library could not be initialised";
    return nullptr;
  }
  if (!IsHidrawNode(device.path, sysfsRoot_)) {
    lastOpenError_ = device.path + ": not a hidraw device node";
    return nullptr;
  }
  hid_device* handle = hid_open_path(device.path.c_str());
  if (handle == nullptr) {
    // hidapi's own message may be in the user's language and errno is not kept; a
    // missing permission, the usual cause, is told by access() without opening the node.
    if (::access(device.path.c_str(), R_OK | W_OK) != 0) {
      lastOpenError_ = OpenFailure(device.path, errno);
    } else {
      const wchar_t* why = hid_error(nullptr);
      lastOpenError_ = device.path + ": " +
                       (why != nullptr ? WideToWindows1252(why) : std::string("cannot be opened"));
    }
    return nullptr;
  }
  // The descriptor tells whether reports carry an ID byte; the instrument's do not.
  const bool usesReportIds = ReadReportLengths(device.path, sysfsRoot_).usesReportIds;
  return std::make_unique<HidapiConnection>(handle, usesReportIds);
}

}  // namespace qel
