// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The HID device controller: keeps the list of HID devices present, announces plug and
// unplug events, and lends devices out to the link ("claiming"). It does not watch the
// system itself; its owner calls Scan() on every plug notice, on the rescan timer and
// once when the event loop starts.

#include <functional>
#include <list>
#include <memory>
#include <vector>

#include "core/link/hid_backend.h"

namespace qel {

// One device object of the controller's list.
class HidDevice {
 public:
  HidDevice(HidBackend& backend, HidDeviceInfo info);

  const HidDeviceInfo& Info() const { return info_; }
  std::uint16_t VendorId() const { return info_.vendorId; }
  std::uint16_t ProductId() const { return info_.productId; }
  int InputReportByteLength() const { return info_.inputReportByteLength; }
  int OutputReportByteLength() const { return info_.outputReportByteLength; }
  bool PluggedIn() const { return pluggedIn_; }
  bool Claimed() const { return claimed_; }
  // True once the device has been opened for reading and writing.
  bool IsOpen() const { return connection_ != nullptr; }
  // Opens the device now unless it is open; false, with the reason in OpenError(), when
  // it cannot be opened. Tried once per claim: CloseHandles allows another try.
  bool Open();
  const std::string& OpenError() const { return openError_; }

  // Opens the device on first use. A device that cannot be opened stays unopened, and
  // its writes and reads fail.
  bool Write(const std::uint8_t* data, std::size_t length);
  ReadStatus Read(std::uint8_t* buffer, std::size_t capacity, int timeoutMs,
                  std::size_t& delivered);
  void CloseHandles();

 private:
  friend class HidDeviceController;
  bool EnsureOpen();

  HidBackend& backend_;
  HidDeviceInfo info_;
  bool pluggedIn_ = true;
  bool claimed_ = false;
  bool openTried_ = false;
  std::string openError_;
  std::unique_ptr<HidConnection> connection_;
};

class HidDeviceController {
 public:
  explicit HidDeviceController(HidBackend& backend);

  std::function<void(HidDevice&)> OnArrival;
  std::function<void(HidDevice&)> OnRemoval;
  std::function<void()> OnDeviceChange;
  // Answer false to end the enumeration pass.
  std::function<bool(HidDevice&)> OnEnumerate;

  // Lists the devices present and raises the events in this order: every removal (close
  // handles, mark unplugged, OnRemoval, drop unless claimed), every arrival (appended to
  // the list), then OnDeviceChange when anything changed or on the first scan.
  void Scan();
  // Raises OnEnumerate for each plugged-in device in list order until it answers false.
  void Enumerate();

  // Claims the given device if it is plugged in and not yet claimed.
  bool CheckOut(HidDevice& device);
  // Claims the first plugged-in, unclaimed device in list order that `accept` takes.
  HidDevice* CheckOutFirstFree(const std::function<bool(const HidDevice&)>& accept = {});
  // Closes the device's handles and gives it back; an unplugged one is discarded. The
  // caller's reference becomes nullptr.
  void CheckIn(HidDevice*& device);

  const std::list<std::unique_ptr<HidDevice>>& Devices() const { return devices_; }
  HidBackend& Backend() { return backend_; }
  bool FirstScanDone() const { return scanned_; }

 private:
  HidBackend& backend_;
  std::list<std::unique_ptr<HidDevice>> devices_;
  // Devices that vanished while claimed: kept alive until CheckIn.
  std::vector<std::unique_ptr<HidDevice>> removedClaimed_;
  bool scanned_ = false;
};

}  // namespace qel
