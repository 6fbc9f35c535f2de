// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/windows_hid_backend.h"

#include <windows.h>
// windows.h first: the SetupAPI and HID headers build on its types. mingw-w64's HID
// headers declare their functions without C linkage for C++.
extern "C" {
#include <hidsdi.h>
}
#include <setupapi.h>

#include <algorithm>
#include <cstring>

#include "core/platform/native_path.h"
#include "core/text/win1252.h"

namespace qel {
namespace {

// A device string as Windows-1252 bytes, as the rest of the tool keeps texts: characters
// without a Windows-1252 byte become '?'. The buffer holds 254 characters and the NUL.
using StringCall = BOOLEAN(__stdcall*)(HANDLE, PVOID, ULONG);

std::string DeviceString(HANDLE device, StringCall call) {
  wchar_t buffer[kWindowsDeviceStringMaxChars + 1] = {};
  if (!call(device, buffer, sizeof buffer)) return "";
  buffer[kWindowsDeviceStringMaxChars] = L'\0';
  const int chars = static_cast<int>(wcslen(buffer));
  if (chars == 0) return "";
  std::string text(static_cast<std::size_t>(chars) * 2, '\0');
  const int length = WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, buffer, chars, text.data(),
                                         static_cast<int>(text.size()), "?", nullptr);
  text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return text;
}

// What a scan learns from one device interface; false when the device cannot even be
// opened for its attributes (it went away meanwhile).
bool Identify(const std::wstring& path, HidDeviceInfo& info) {
  HANDLE device = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  if (device == INVALID_HANDLE_VALUE) return false;
  HIDD_ATTRIBUTES attributes{};
  attributes.Size = sizeof attributes;
  if (HidD_GetAttributes(device, &attributes)) {
    info.vendorId = attributes.VendorID;
    info.productId = attributes.ProductID;
  }
  info.manufacturer = DeviceString(device, HidD_GetManufacturerString);
  info.product = DeviceString(device, HidD_GetProductString);
  info.serial = DeviceString(device, HidD_GetSerialNumberString);
  PHIDP_PREPARSED_DATA preparsed = nullptr;
  if (HidD_GetPreparsedData(device, &preparsed)) {
    HIDP_CAPS caps{};
    if (HidP_GetCaps(preparsed, &caps) == HIDP_STATUS_SUCCESS) {
      info.inputReportByteLength = caps.InputReportByteLength;
      info.outputReportByteLength = caps.OutputReportByteLength;
    }
    HidD_FreePreparsedData(preparsed);
  }
  CloseHandle(device);
  return true;
}

// Waits for an overlapped call on `handle` to finish within timeoutMs (negative: no
// limit). On time-out the call is cancelled and its end awaited, so neither the buffer
// nor the OVERLAPPED is used after this returns. Answers whether the call succeeded and
// how many bytes it moved; `timedOut` tells a time-out from a failure.
bool Finish(HANDLE handle, OVERLAPPED& overlapped, int timeoutMs, DWORD& moved, bool& timedOut) {
  timedOut = false;
  const DWORD wait = timeoutMs < 0 ? INFINITE : static_cast<DWORD>(timeoutMs);
  if (WaitForSingleObject(overlapped.hEvent, wait) != WAIT_OBJECT_0) {
    CancelIo(handle);
    // Cancelled, or finished just before the cancel took hold: either way it has ended
    // once this returns. A report that made it in is a report.
    if (GetOverlappedResult(handle, &overlapped, &moved, TRUE)) return true;
    timedOut = GetLastError() == ERROR_OPERATION_ABORTED;
    return false;
  }
  return GetOverlappedResult(handle, &overlapped, &moved, FALSE) != FALSE;
}

// HID file I/O moves whole reports: ReadFile needs room for InputReportByteLength bytes
// and WriteFile takes exactly OutputReportByteLength bytes, report ID first:
//   @0  length 1      report ID (0 for a device without report IDs)
//   @1  length n - 1  report data
class WindowsHidConnection : public HidConnection {
 public:
  WindowsHidConnection(HANDLE handle, int inputLength, int outputLength)
      : handle_(handle),
        event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
        input_(static_cast<std::size_t>(std::max(inputLength, 1))),
        output_(static_cast<std::size_t>(std::max(outputLength, 0))) {}

  ~WindowsHidConnection() override {
    CloseHandle(handle_);
    if (event_ != nullptr) CloseHandle(event_);
  }

  bool Write(const std::uint8_t* data, std::size_t length) override {
    if (data == nullptr || length == 0 || output_.empty() || event_ == nullptr) return false;
    // A shorter report is filled with zeros, a longer one cut to the device's length.
    std::fill(output_.begin(), output_.end(), std::uint8_t{0});
    std::memcpy(output_.data(), data, std::min(length, output_.size()));
    OVERLAPPED overlapped = Overlapped();
    DWORD written = 0;
    if (!WriteFile(handle_, output_.data(), static_cast<DWORD>(output_.size()), nullptr,
                   &overlapped) &&
        GetLastError() != ERROR_IO_PENDING) {
      return false;
    }
    bool timedOut = false;
    return Finish(handle_, overlapped, kWindowsHidWriteTimeoutMs, written, timedOut) &&
           written == output_.size();
  }

  ReadStatus Read(std::uint8_t* buffer, std::size_t capacity, int timeoutMs,
                  std::size_t& delivered) override {
    delivered = 0;
    if (buffer == nullptr || capacity == 0 || event_ == nullptr) return ReadStatus::Failed;
    OVERLAPPED overlapped = Overlapped();
    DWORD got = 0;
    if (!ReadFile(handle_, input_.data(), static_cast<DWORD>(input_.size()), nullptr,
                  &overlapped) &&
        GetLastError() != ERROR_IO_PENDING) {
      return ReadStatus::Failed;
    }
    bool timedOut = false;
    if (!Finish(handle_, overlapped, timeoutMs, got, timedOut)) {
      return timedOut ? ReadStatus::Timeout : ReadStatus::Failed;
    }
    if (got == 0) return ReadStatus::Failed;
    delivered = std::min<std::size_t>(capacity, got);
    std::memcpy(buffer, input_.data(), delivered);
    return ReadStatus::Report;
  }

 private:
  OVERLAPPED Overlapped() {
    ResetEvent(event_);
    OVERLAPPED overlapped{};
    overlapped.hEvent = event_;
    return overlapped;
  }

  HANDLE handle_;
  HANDLE event_;
  std::vector<std::uint8_t> input_;
  std::vector<std::uint8_t> output_;
};

}  // namespace

std::string WindowsErrorText(unsigned long code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string message =
      length > 0 ? WideToUtf8(std::wstring_view(text, length)) : "error " + std::to_string(code);
  if (text != nullptr) LocalFree(text);
  while (!message.empty() &&
         (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) {
    message.pop_back();
  }
  return message;
}

std::vector<HidDeviceInfo> WindowsHidBackend::Enumerate() {
  GUID hidClass{};
  HidD_GetHidGuid(&hidClass);
  HDEVINFO set =
      SetupDiGetClassDevsW(&hidClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) return {};
  std::vector<HidDeviceInfo> devices;
  for (DWORD index = 0;; ++index) {
    SP_DEVICE_INTERFACE_DATA interfaceData{};
    interfaceData.cbSize = sizeof interfaceData;
    if (!SetupDiEnumDeviceInterfaces(set, nullptr, &hidClass, index, &interfaceData)) break;
    DWORD needed = 0;
    SetupDiGetDeviceInterfaceDetailW(set, &interfaceData, nullptr, 0, &needed, nullptr);
    if (needed < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) continue;
    // The detail record is a header and the path; 8-byte units keep it aligned.
    std::vector<std::uint64_t> storage((needed + 7) / 8);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!SetupDiGetDeviceInterfaceDetailW(set, &interfaceData, detail, needed, nullptr, nullptr)) {
      continue;
    }
    const std::wstring path = detail->DevicePath;
    HidDeviceInfo info;
    info.path = WideToUtf8(path);
    if (Identify(path, info)) devices.push_back(std::move(info));
  }
  SetupDiDestroyDeviceInfoList(set);
  std::stable_sort(devices.begin(), devices.end(),
                   [](const HidDeviceInfo& a, const HidDeviceInfo& b) { return a.path < b.path; });
  return devices;
}

std::unique_ptr<HidConnection> WindowsHidBackend::Open(const HidDeviceInfo& device) {
  HANDLE handle = CreateFileW(Utf8ToWide(device.path).c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OVERLAPPED, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    lastOpenError_ = device.path + ": " + Utf8ToWin1252(WindowsErrorText(code));
    // Sharing read and write, the open is refused only when another program opened the
    // instrument without sharing it.
    if (code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION) {
      lastOpenError_ +=
          " (another program holds the instrument: close it, the next scan "
          "opens it)";
    }
    return nullptr;
  }
  lastOpenError_.clear();
  return MakeWindowsHidConnection(handle, device.inputReportByteLength,
                                  device.outputReportByteLength);
}

std::unique_ptr<HidConnection> MakeWindowsHidConnection(void* overlappedHandle, int inputLength,
                                                        int outputLength) {
  return std::make_unique<WindowsHidConnection>(static_cast<HANDLE>(overlappedHandle), inputLength,
                                                outputLength);
}

}  // namespace qel
