// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// HID access through hidapi (its hidraw flavour on Linux). hidapi 0.13 does not hand out
// report descriptors, so the report lengths come from the descriptor that the kernel
// publishes in sysfs, measured by ComputeReportLengths. A scan only reads sysfs and
// never opens a device: other HID devices (keyboards, security keys) stay untouched.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "core/link/hid_backend.h"
#include "core/link/hid_report_descriptor.h"

struct hid_device_info;  // hidapi's enumeration record

namespace qel {

// Device strings are cut to this many characters, as the Windows string calls cut them.
inline constexpr std::size_t kDeviceStringMaxChars = 254;

// A device string as hidapi hands it (wide characters, NUL-terminated; nullptr is empty)
// as Windows-1252 bytes: Latin-1 and the Windows-1252 letters of 0x80..0x9F (euro sign,
// typographic quotes, ...) map to their byte, everything else becomes '?'.
std::string WideToWindows1252(const wchar_t* text);

// Where sysfs keeps the report descriptor of a hidraw node:
//   /dev/hidraw3 -> <sysfsRoot>/class/hidraw/hidraw3/device/report_descriptor
// Empty when the path does not name a hidraw node.
std::string ReportDescriptorPath(const std::string& devicePath, const std::string& sysfsRoot);

// True when the path is a character device that sysfs lists under the hidraw class
// (<sysfsRoot>/dev/char/MAJOR:MINOR/subsystem). Open checks this before opening, so a
// mistyped device path never opens another kind of device node: opening a watchdog or a
// modem line has effects of its own.
bool IsHidrawNode(const std::string& devicePath, const std::string& sysfsRoot);

// Report lengths of a hidraw node, from its descriptor in sysfs; all 0 when the
// descriptor cannot be read.
ReportLengths ReadReportLengths(const std::string& devicePath, const std::string& sysfsRoot);

// The device list of one hidapi enumeration, sorted by path. hidapi may list a device once
// per top-level collection; such entries share the path and are kept once.
std::vector<HidDeviceInfo> DescribeDevices(const hid_device_info* list,
                                           const std::string& sysfsRoot);

// Keeps hidapi initialised while any backend or connection lives: hid_init with the
// first, hid_exit after the last.
class HidapiLibraryGuard {
 public:
  HidapiLibraryGuard();
  ~HidapiLibraryGuard();
  HidapiLibraryGuard(const HidapiLibraryGuard&) = delete;
  HidapiLibraryGuard& operator=(const HidapiLibraryGuard&) = delete;

  bool Ok() const { return ok_; }

 private:
  bool ok_ = false;
};

class HidapiBackend : public HidBackend {
 public:
  // sysfsRoot: where sysfs is mounted; tests point it at a tree of their own.
  explicit HidapiBackend(std::string sysfsRoot = "/sys");

  std::vector<HidDeviceInfo> Enumerate() override;

  // Opens device.path for reading and writing (hid_open_path); nullptr when it is no
  // hidraw node or the system refuses, e.g. for lack of permission on the node.
  std::unique_ptr<HidConnection> Open(const HidDeviceInfo& device) override;
  std::string LastOpenError() const override { return lastOpenError_; }

 private:
  HidapiLibraryGuard library_;
  std::string sysfsRoot_;
  std::string lastOpenError_;
};

}  // namespace qel
