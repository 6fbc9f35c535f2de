// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/hid_device_controller.h"

#include <algorithm>

namespace qel {

HidDevice::HidDevice(HidBackend& backend, HidDeviceInfo info)
    : backend_(backend), info_(std::move(info)) {}

bool HidDevice::EnsureOpen() {
  if (connection_) return true;
  if (openTried_ || !pluggedIn_) return false;
  openTried_ = true;
  connection_ = backend_.Open(info_);
  if (connection_) {
    openError_.clear();
  } else {
    openError_ = backend_.LastOpenError();
    if (openError_.empty()) openError_ = info_.path + ": cannot be opened";
  }
  return connection_ != nullptr;
}

bool HidDevice::Open() {
  return EnsureOpen();
}

bool HidDevice::Write(const std::uint8_t* data, std::size_t length) {
  if (!EnsureOpen()) return false;
  return connection_->Write(data, length);
}

ReadStatus HidDevice::Read(std::uint8_t* buffer, std::size_t capacity, int timeoutMs,
                           std::size_t& delivered) {
  delivered = 0;
  if (!EnsureOpen()) return ReadStatus::Failed;
  return connection_->Read(buffer, capacity, timeoutMs, delivered);
}

void HidDevice::CloseHandles() {
  connection_.reset();
  openTried_ = false;
}

HidDeviceController::HidDeviceController(HidBackend& backend) : backend_(backend) {}

void HidDeviceController::Scan() {
  const std::vector<HidDeviceInfo> present = backend_.Enumerate();
  const auto isPresent = [&present](const HidDevice& device) {
    return std::any_of(present.begin(), present.end(),
                       [&device](const HidDeviceInfo& info) { return info == device.Info(); });
  };
  bool changed = false;

  for (auto it = devices_.begin(); it != devices_.end();) {
    HidDevice& device = **it;
    if (isPresent(device)) {
      ++it;
      continue;
    }
    changed = true;
    device.CloseHandles();
    device.pluggedIn_ = false;
    if (OnRemoval) OnRemoval(device);
    if (device.claimed_) removedClaimed_.push_back(std::move(*it));
    it = devices_.erase(it);
  }

  for (const HidDeviceInfo& info : present) {
    const bool known = std::any_of(devices_.begin(), devices_.end(),
                                   [&info](const auto& device) { return device->Info() == info; });
    if (known) continue;
    changed = true;
    devices_.push_back(std::make_unique<HidDevice>(backend_, info));
    if (OnArrival) OnArrival(*devices_.back());
  }

  const bool first = !scanned_;
  scanned_ = true;
  if ((changed || first) && OnDeviceChange) OnDeviceChange();
}

void HidDeviceController::Enumerate() {
  // Handlers may claim devices but never add or drop any, so the list stays put.
  for (auto& device : devices_) {
    if (!device->pluggedIn_) continue;
    if (OnEnumerate && !OnEnumerate(*device)) break;
  }
}

bool HidDeviceController::CheckOut(HidDevice& device) {
  if (!device.pluggedIn_ || device.claimed_) return false;
  device.claimed_ = true;
  return true;
}

HidDevice* HidDeviceController::CheckOutFirstFree(
    const std::function<bool(const HidDevice&)>& accept) {
  for (auto& device : devices_) {
    if (!device->pluggedIn_ || device->claimed_) continue;
    if (accept && !accept(*device)) continue;
    device->claimed_ = true;
    return device.get();
  }
  return nullptr;
}

void HidDeviceController::CheckIn(HidDevice*& device) {
  if (device == nullptr) return;
  device->CloseHandles();
  device->claimed_ = false;
  if (!device->pluggedIn_) {
    auto it = std::find_if(removedClaimed_.begin(), removedClaimed_.end(),
                           [device](const auto& owned) { return owned.get() == device; });
    if (it != removedClaimed_.end()) removedClaimed_.erase(it);
  }
  device = nullptr;
}

}  // namespace qel
