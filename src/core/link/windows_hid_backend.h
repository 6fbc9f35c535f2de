// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// HID access on Windows through the system's own calls: the HID class's device interfaces
// listed with SetupAPI, identity and report lengths from hid.dll, reports through file
// I/O on the device path.
//
// A scan opens each HID device with no access rights (attributes only), which is how
// Windows lets a program ask any HID device for its IDs, strings and capabilities without
// touching its reports; only Open asks for reading and writing. Keyboards and mice, which
// the system holds for itself, are listed like any other device.
//
// Reads are overlapped so they can be bounded: a read that is still waiting when the time
// limit passes is cancelled (CancelIo) and waited for, so it can never complete later and
// hand a report meant for one line to the next.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/link/hid_backend.h"

namespace qel {

// Device strings (manufacturer, product, serial) are cut to this many characters, as the
// Windows string calls cut them for a 255-character buffer.
inline constexpr std::size_t kWindowsDeviceStringMaxChars = 254;

// Largest time a write may take before it is cancelled and counted as refused; a device
// takes an output report within a few milliseconds.
inline constexpr int kWindowsHidWriteTimeoutMs = 2000;

class WindowsHidBackend : public HidBackend {
 public:
  std::vector<HidDeviceInfo> Enumerate() override;

  // Opens device.path for reading and writing, shared with other programs. nullptr when
  // the system refuses; LastOpenError() then says why.
  std::unique_ptr<HidConnection> Open(const HidDeviceInfo& device) override;

  // Why the last Open failed, "PATH: the system's text" in Windows-1252 as the link log
  // shows it ("OPEN FAILED: ..."), with a hint when another program holds the device.
  // Empty after a success.
  std::string LastOpenError() const override { return lastOpenError_; }

 private:
  std::string lastOpenError_;
};

// A connection over an already opened handle (a HANDLE opened with FILE_FLAG_OVERLAPPED,
// passed as void* so this header needs no windows.h). It closes the handle. Reads take
// `inputLength` bytes, writes send exactly `outputLength` bytes (report ID first), as
// HID file I/O demands. Tests drive it over a message pipe.
std::unique_ptr<HidConnection> MakeWindowsHidConnection(void* overlappedHandle, int inputLength,
                                                        int outputLength);

// The system's text for an error code, without the line end it carries ("Access is
// denied."), UTF-8.
std::string WindowsErrorText(unsigned long code);

}  // namespace qel
