// SPDX-License-Identifier: GPL-3.0-or-later
// e2e_foreign_hid: a HID device that is no instrument, made through /dev/uhid for the
// end-to-end suite. It answers nothing and writes every event the kernel passes on to a
// file, one per line: an "open" there means that someone opened its hidraw node, which
// the tool must never do for a device that is not an instrument.
//   e2e_foreign_hid --vendor 1234 --product 5678 --events FILE
// Prints "uhid device created" once the device exists; SIGINT or SIGTERM unplugs it.

#include <poll.h>
#include <sys/signalfd.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "sim/uhid_device.h"

int main(int argc, char** argv) {
  std::string vendor = "1234";
  std::string product = "5678";
  std::string events;
  std::string node = "/dev/uhid";
  CLI::App app{"A HID device that is no instrument, through /dev/uhid"};
  app.add_option("--vendor", vendor, "USB vendor ID in hex");
  app.add_option("--product", product, "USB product ID in hex");
  app.add_option("--events", events, "append every uhid event to this file")->required();
  app.add_option("--uhid-node", node, "the uhid node");
  CLI11_PARSE(app, argc, argv);

  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
  const int signalFd = signalfd(-1, &stopSignals, SFD_CLOEXEC);

  std::ofstream log(events, std::ios::app);
  std::string error;
  auto device = qel::sim::UhidDevice::OpenNode(node, error);
  if (!device || !log || signalFd < 0) {
    std::cerr << "e2e_foreign_hid: " << (device ? events + ": cannot be opened" : error) << '\n';
    return 1;
  }
  qel::sim::UhidDeviceParams params;
  params.name = "Other Vendor Data Logger";
  params.phys = "e2e_foreign_hid/uhid";
  params.vendorId = static_cast<std::uint16_t>(std::stoul(vendor, nullptr, 16));
  params.productId = static_cast<std::uint16_t>(std::stoul(product, nullptr, 16));
  params.reportDescriptor = qel::sim::VendorReportDescriptor(64, 64);
  if (!device->Create(params, error)) {
    std::cerr << "e2e_foreign_hid: " << error << '\n';
    return 1;
  }
  std::cout << "uhid device created" << std::endl;

  for (;;) {
    pollfd fds[2] = {{signalFd, POLLIN, 0}, {device->fd(), POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0) continue;
    if (fds[0].revents & POLLIN) break;
    if (fds[1].revents & POLLIN) {
      qel::sim::UhidEvent event;
      if (!device->ReadEvent(event, error)) break;
      log << qel::sim::UhidEventName(event.kind) << '\n' << std::flush;
      if (event.kind == qel::sim::UhidEvent::Kind::GetReport)
        device->ReplyGetReport(event.requestId, EIO);
      if (event.kind == qel::sim::UhidEvent::Kind::SetReport)
        device->ReplySetReport(event.requestId, EIO);
    }
  }
  return 0;
}
