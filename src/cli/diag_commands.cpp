// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/diag_commands.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <memory>
#include <ostream>

#include "cli/command.h"
#include "core/diag/device_info.h"
#include "core/diag/error_queue_readout.h"
#include "core/platform/native_path.h"
#include "core/service/hardcopy.h"
#include "core/service/jpeg_writer.h"
#include "core/text/win1252.h"

namespace qel::cli {

int RunInfo(CliContext& context) {
  context.StartRows();
  if (!context.ClaimInstrument()) return kExitNoInstrument;
  DeviceInfo info([&context](const std::string& caption) { return context.Translate(caption); });
  info.ReadDeviceInfo(context.Session());
  for (const InfoRow& row : info.Rows()) {
    const std::string caption = Win1252ToUtf8(row.caption);
    const std::string value = Win1252ToUtf8(row.value);
    context.Row(caption + '\t' + value, {{"caption", caption}, {"value", value}});
  }
  const int status = context.ExitAfterExchanges();
  if (status != kExitOk) context.Err() << "qel11ctl: some queries got no answer\n";
  return status;
}

int RunErrors(CliContext& context) {
  context.StartRows();
  if (!context.ClaimInstrument()) return kExitNoInstrument;
  const ErrorQueueReadout readout = ReadErrorQueue(context.Session());
  for (const std::string& line : readout.lines) {
    const std::string entry = Win1252ToUtf8(line);
    context.Row(entry, {{"entry", entry}});
  }
  switch (readout.end) {
    case ErrorQueueEnd::StopText:
      return kExitOk;
    case ErrorQueueEnd::EmptyReply:
      context.Err() << (context.Link().LastExchangeAnswered()
                            ? "qel11ctl: empty reply to syst:err?; the queue may hold more\n"
                            : "qel11ctl: no answer to syst:err?\n");
      return kExitNoInstrument;
    case ErrorQueueEnd::EntryLimit:
      context.Err() << "qel11ctl: the error queue did not end after " << kMaxErrorQueueEntries
                    << " entries\n";
      return kExitNoInstrument;
  }
  return kExitNoInstrument;
}

int RunHardcopy(CliContext& context, const std::string& outputPath) {
  if (!context.ClaimInstrument()) return kExitNoInstrument;
  Hardcopy hardcopy;
  if (hardcopy.GetHardcopy(context.Session()) != CaptureStatus::Complete) {
    context.Err() << "qel11ctl: the capture got no answer to some lines; " << outputPath
                  << " not written\n";
    return kExitNoInstrument;
  }
  try {
    hardcopy.SaveAs(PathFromUtf8(context.OutputPath(outputPath)));
  } catch (const JpegError& error) {
    context.Err() << "qel11ctl: " << error.what() << '\n';
    return kExitUsage;
  }
  return kExitOk;
}

void AddDiagCommands(CLI::App& app, Commands& commands) {
  auto* info = app.add_subcommand("info", "the device information rows, CAPTION<TAB>VALUE");
  commands.push_back({info, nullptr, RunInfo});
  auto* errors = app.add_subcommand("errors", "empty the error queue, one entry per line");
  commands.push_back({errors, nullptr, RunErrors});
  const auto output = std::make_shared<std::string>();
  auto* hardcopy =
      app.add_subcommand("hardcopy", "capture the display into a JPEG of the composed image");
  hardcopy->add_option("-o,--output", *output, "JPEG file to write")->required();
  commands.push_back(
      {hardcopy, nullptr, [output](CliContext& context) { return RunHardcopy(context, *output); }});
}

}  // namespace qel::cli
