#include "cli/diag_commands.h"

#include <filesystem>
#include <ostream>

#include "core/diag/device_info.h"
#include "core/diag/error_queue_readout.h"
#include "core/service/hardcopy.h"
#include "core/service/jpeg_writer.h"
#include "core/text/win1252.h"

namespace qel::cli {

int RunInfo(CliContext& context) {
  if (!context.ClaimInstrument()) return kExitNoInstrument;
  DeviceInfo info([&context](const std::string& caption) { return context.Translate(caption); });
  info.ReadDeviceInfo(context.Session());
  for (const InfoRow& row : info.Rows()) {
    context.Out() << Win1252ToUtf8(row.caption) << '\t' << Win1252ToUtf8(row.value) << '\n';
  }
  context.Out() << std::flush;
  const int status = context.ExitAfterExchanges();
  if (status != kExitOk) context.Err() << "qel11ctl: some queries got no answer\n";
  return status;
}

int RunErrors(CliContext& context) {
  if (!context.ClaimInstrument()) return kExitNoInstrument;
  const ErrorQueueReadout readout = ReadErrorQueue(context.Session());
  for (const std::string& line : readout.lines) context.Out() << Win1252ToUtf8(line) << '\n';
  context.Out() << std::flush;
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
    hardcopy.SaveAs(std::filesystem::path(outputPath));
  } catch (const JpegError& error) {
    context.Err() << "qel11ctl: " << error.what() << '\n';
    return kExitUsage;
  }
  return kExitOk;
}

}  // namespace qel::cli
