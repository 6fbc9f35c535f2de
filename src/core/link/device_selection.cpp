// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/device_selection.h"

#include <charconv>

#include "core/link/report_stream_backend.h"

#ifdef _WIN32
#include "core/link/windows_hid_backend.h"
#else
#include "core/link/hidapi_backend.h"
#endif

namespace qel {

#ifdef _WIN32
using SystemHidBackend = WindowsHidBackend;
#else
using SystemHidBackend = HidapiBackend;
#endif

std::optional<DeviceOption> ParseDeviceOption(const std::string& text, std::string& error) {
  DeviceOption option;
  if (text.empty() || text == "auto") return option;
  if (text == "sim") {
    option.kind = DeviceOption::Kind::Sim;
    return option;
  }
  if (text.rfind("tcp:", 0) == 0) {
    const std::string rest = text.substr(4);
    const auto colon = rest.rfind(':');
    if (colon == std::string::npos || colon == 0) {
      error = "--device " + text + ": expected tcp:HOST:PORT";
      return std::nullopt;
    }
    std::string host = rest.substr(0, colon);
    // [::1] style hosts
    if (host.size() > 2 && host.front() == '[' && host.back() == ']')
      host = host.substr(1, host.size() - 2);
    const std::string port = rest.substr(colon + 1);
    int value = 0;
    const auto [ptr, ec] = std::from_chars(port.data(), port.data() + port.size(), value);
    if (port.empty() || ec != std::errc() || ptr != port.data() + port.size() || value < 1 ||
        value > 65535) {
      error = "--device " + text + ": the port must be a number from 1 to 65535";
      return std::nullopt;
    }
    option.kind = DeviceOption::Kind::Tcp;
    option.host = host;
    option.port = value;
    return option;
  }
  option.kind = DeviceOption::Kind::Path;
  option.path = text;
  return option;
}

std::unique_ptr<HidBackend> MakeBackend(const DeviceOption& option, const BackendFactory& makeSim,
                                        int connectTimeoutMs) {
  switch (option.kind) {
    case DeviceOption::Kind::Sim:
      return makeSim ? makeSim() : nullptr;
    case DeviceOption::Kind::Tcp:
      return std::make_unique<ReportStreamBackend>(option.host, option.port, connectTimeoutMs);
    case DeviceOption::Kind::Path:
      return std::make_unique<SinglePathBackend>(MakeSystemHidBackend(), option.path);
    case DeviceOption::Kind::Auto:
      break;
  }
  return MakeSystemHidBackend();
}

std::unique_ptr<HidBackend> MakeSystemHidBackend() {
  return std::make_unique<SystemHidBackend>();
}

SinglePathBackend::SinglePathBackend(std::unique_ptr<HidBackend> inner, std::string path)
    : inner_(std::move(inner)), path_(std::move(path)) {}

std::vector<HidDeviceInfo> SinglePathBackend::Enumerate() {
  std::vector<HidDeviceInfo> devices = inner_->Enumerate();
  std::erase_if(devices, [this](const HidDeviceInfo& info) { return info.path != path_; });
  return devices;
}

std::unique_ptr<HidConnection> SinglePathBackend::Open(const HidDeviceInfo& device) {
  if (device.path != path_) return nullptr;
  return inner_->Open(device);
}

}  // namespace qel
