// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which instrument the tool talks to (--device): the first instrument over HID ("auto"),
// the built-in virtual instrument ("sim"), one in another process over the report-stream
// protocol ("tcp:HOST:PORT"), or one HID device by its path.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/link/hid_backend.h"

namespace qel {

struct DeviceOption {
  enum class Kind { Auto, Sim, Tcp, Path };
  Kind kind = Kind::Auto;
  std::string host;  // Tcp
  int port = 0;      // Tcp
  std::string path;  // Path
};

// nullopt and a message in `error` when the text names no device.
std::optional<DeviceOption> ParseDeviceOption(const std::string& text, std::string& error);

using BackendFactory = std::function<std::unique_ptr<HidBackend>()>;

// `makeSim` builds the virtual instrument; the core does not depend on it.
// `connectTimeoutMs` bounds connecting to a tcp: instrument (connect and hello).
std::unique_ptr<HidBackend> MakeBackend(const DeviceOption& option, const BackendFactory& makeSim,
                                        int connectTimeoutMs = 1000);

// The system's own HID access: hidapi (hidraw) on Linux, the HID calls on Windows.
std::unique_ptr<HidBackend> MakeSystemHidBackend();

// Shows only the device with the given path of another backend.
class SinglePathBackend : public HidBackend {
 public:
  SinglePathBackend(std::unique_ptr<HidBackend> inner, std::string path);
  std::vector<HidDeviceInfo> Enumerate() override;
  std::unique_ptr<HidConnection> Open(const HidDeviceInfo& device) override;
  std::string LastOpenError() const override { return inner_->LastOpenError(); }
  void SetTimeLimitMs(int ms) override { inner_->SetTimeLimitMs(ms); }

 private:
  std::unique_ptr<HidBackend> inner_;
  std::string path_;
};

}  // namespace qel
