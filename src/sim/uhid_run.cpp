// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/uhid_run.h"

#include <csignal>
#include <ostream>
#include <stdexcept>

#include "sim/sim_backend.h"

namespace qel::sim {

namespace {

UhidServer* g_server = nullptr;

extern "C" void OnStopSignal(int) {
  if (g_server != nullptr) g_server->Stop();  // only writes to a pipe
}

}  // namespace

int RunUhidInstrument(const SimOptions& options, const UhidServerOptions& uhidOptions,
                      const std::string& node, std::ostream& out, std::ostream& err) {
  std::unique_ptr<SimBackend> backend;
  try {
    backend = std::make_unique<SimBackend>(options);
  } catch (const std::exception& e) {
    err << "qel11-sim: " << e.what() << '\n';
    return 2;
  }
  std::string error;
  auto device = UhidDevice::OpenNode(node, error);
  if (!device) {
    err << "qel11-sim: " << error << '\n';
    return 1;
  }
  UhidServer server(*backend, uhidOptions);
  server.OnNotice = [&out](const std::string& notice) { out << notice << std::endl; };

  g_server = &server;
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);

  const bool ok = server.Start(std::move(device), error) && server.Run(error);
  g_server = nullptr;
  if (!ok) err << "qel11-sim: " << error << '\n';
  if (!backend->SaveState(error)) {
    err << "qel11-sim: " << error << '\n';
    return 1;
  }
  return ok ? 0 : 1;
}

}  // namespace qel::sim
