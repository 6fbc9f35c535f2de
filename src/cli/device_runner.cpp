// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/device_runner.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <optional>
#include <ostream>
#include <sstream>
#include <thread>

#include "cli/file_names.h"
#include "cli/prefixed_lines.h"
#include "core/link/device_selection.h"
#include "core/text/ascii.h"
#include "core/text/win1252.h"

namespace qel::cli {
namespace {

constexpr std::string_view kAllDevices = "all";

bool ManyInstruments(const GlobalOptions& options) {
  return options.devices.size() > 1 || std::find(options.devices.begin(), options.devices.end(),
                                                 kAllDevices) != options.devices.end();
}

// The instruments on HID, by path, as `list` shows them.
std::vector<std::string> HidInstrumentPaths() {
  const std::unique_ptr<HidBackend> backend = MakeSystemHidBackend();
  std::vector<std::string> paths;
  for (const HidDeviceInfo& info : backend->Enumerate()) {
    if (IsInstrumentId(info.vendorId, info.productId)) paths.push_back(info.path);
  }
  return paths;
}

// What a device is, whatever it was called: the same device named twice runs once.
std::string Identity(const DeviceOption& device) {
  switch (device.kind) {
    case DeviceOption::Kind::Sim:
      return "sim";
    case DeviceOption::Kind::Tcp:
      return "tcp:" + AsciiLowerCase(device.host) + ":" + std::to_string(device.port);
    case DeviceOption::Kind::Path:
      return "path:" + device.path;
    case DeviceOption::Kind::Auto:
      break;
  }
  return "auto";
}

struct DeviceRun {
  std::string label;  // the line prefix: the device text as given, or its list path
  DeviceSlot slot;
  std::ostringstream captured;  // --json: what the command printed besides rows
  int exit = kExitNoInstrument;
  std::string result = "null";
};

// The instruments of --device, each once, in the order given; nullopt (with a message)
// when a device text names nothing usable.
std::optional<std::vector<DeviceRun>> ExpandDevices(const GlobalOptions& options,
                                                    FileNames& fileNames, std::ostream& err) {
  std::vector<std::pair<std::string, DeviceOption>> named;  // label, device
  std::optional<std::vector<std::string>> hidPaths;
  const auto paths = [&hidPaths]() -> const std::vector<std::string>& {
    if (!hidPaths) hidPaths = HidInstrumentPaths();
    return *hidPaths;
  };
  for (const std::string& text : options.devices) {
    if (text == kAllDevices) {
      for (const std::string& path : paths()) {
        named.emplace_back(Win1252ToUtf8(path),
                           DeviceOption{DeviceOption::Kind::Path, {}, 0, path});
      }
      continue;
    }
    std::string error;
    auto device = ParseDeviceOption(text, error);
    if (!device) {
      err << "qel11ctl: " << error << '\n';
      return std::nullopt;
    }
    // "auto" is the first instrument on HID: named beside its path or "all", it is that one.
    if (device->kind == DeviceOption::Kind::Auto && !paths().empty()) {
      device = DeviceOption{DeviceOption::Kind::Path, {}, 0, paths().front()};
    }
    named.emplace_back(text, *device);
  }
  std::vector<DeviceRun> runs;
  std::vector<std::string> identities;
  for (const auto& [label, device] : named) {
    const std::string identity = Identity(device);
    if (std::find(identities.begin(), identities.end(), identity) != identities.end()) continue;
    identities.push_back(identity);
    DeviceRun& run = runs.emplace_back();
    run.label = label;
    run.slot.many = true;
    run.slot.fileNames = &fileNames;
    switch (device.kind) {
      case DeviceOption::Kind::Path:
        run.slot.device = device.path;
        break;
      case DeviceOption::Kind::Auto:
        run.slot.device = "auto";
        break;
      default:
        run.slot.device = label;
    }
  }
  return runs;
}

// The command's result for --json: its rows, else the text it printed (a parameter file
// read to stdout, Windows-1252) as a string, else null.
std::string JsonResult(const CliContext& context, const std::string& captured) {
  if (context.RowsStarted()) {
    std::vector<std::string> objects;
    for (const JsonRow& row : context.Rows()) objects.push_back(JsonObject(row));
    return JsonArray(objects);
  }
  if (!captured.empty()) return JsonString(Win1252ToUtf8(captured));
  return "null";
}

// Runs the command on a context that Init accepted.
int RunOnOne(CliContext& context, const Command& command) {
  try {
    return command.run(context);
  } catch (const std::exception& e) {
    context.Err() << "qel11ctl: " << e.what() << '\n';
    return kExitUsage;
  }
}

int RunOnMany(const GlobalOptions& options, const Command& command, std::ostream& out,
              std::ostream& err) {
  FileNames fileNames;
  auto runs = ExpandDevices(options, fileNames, err);
  if (!runs) return kExitUsage;
  if (runs->empty()) {
    err << "qel11ctl: no instrument found\n";
    if (options.json) out << "[]\n";
    return kExitNoInstrument;
  }
  std::mutex lock;
  std::vector<std::thread> threads;
  for (DeviceRun& run : *runs) {
    threads.emplace_back([&options, &command, &out, &err, &lock, &run] {
      PrefixedLines runOut(out, lock, run.label + '\t');
      PrefixedLines runErr(err, lock, run.label + '\t');
      std::ostream& commandOut = options.json ? static_cast<std::ostream&>(run.captured) : runOut;
      CliContext context(options, run.slot, commandOut, runErr);
      if (!context.Init()) {
        run.exit = kExitUsage;
        return;
      }
      run.exit = RunOnOne(context, command);
      if (options.json) run.result = JsonResult(context, run.captured.str());
    });
  }
  for (std::thread& thread : threads) thread.join();

  int worst = kExitOk;
  std::vector<std::string> objects;
  for (DeviceRun& run : *runs) {
    worst = std::max(worst, run.exit);
    // The result's own lines one step further in.
    for (std::size_t at = run.result.find('\n'); at != std::string::npos;
         at = run.result.find('\n', at + 1)) {
      run.result.insert(at + 1, "  ");
    }
    objects.push_back("{\"device\": " + JsonString(run.label) + ", \"exit\": " +
                      std::to_string(run.exit) + ", \"result\": " + run.result + "}");
  }
  if (options.json) out << JsonArray(objects) << '\n' << std::flush;
  return worst;
}

}  // namespace

int RunCommand(const GlobalOptions& options, const Command& command, std::ostream& out,
               std::ostream& err) {
  if (command.prepare) {
    const int status = command.prepare(err);
    if (status != kExitOk) return status;
  }
  if (ManyInstruments(options)) return RunOnMany(options, command, out, err);

  DeviceSlot slot;
  if (!options.devices.empty()) slot.device = options.devices.front();
  std::ostringstream captured;
  CliContext context(options, slot, options.json ? static_cast<std::ostream&>(captured) : out, err);
  if (!context.Init()) return kExitUsage;
  const int status = RunOnOne(context, command);
  if (options.json) out << JsonResult(context, captured.str()) << '\n' << std::flush;
  return status;
}

}  // namespace qel::cli
