// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/monitor_command.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <memory>
#include <ostream>

#include "cli/command.h"
#include "cli/stop_signals.h"
#include "core/platform/computer_name.h"
#include "core/platform/ini_file.h"
#include "core/record/recorder.h"

namespace qel::cli {
namespace {

// A first read that starts within this time of the header carries the header's time.
constexpr std::chrono::milliseconds kOnTime{50};

int WriteFailed(CliContext& context, const std::string& path) {
  context.Err() << "qel11ctl: "
                << (path.empty() ? std::string("the recording cannot be written to stdout")
                                 : WriteErrorText(std::filesystem::path(path)))
                << '\n';
  return kExitUsage;
}

}  // namespace

int RunMonitor(CliContext& context, const MonitorSettings& settings) {
  const bool toStdout = settings.output.empty() || settings.output == "-";
  if (toStdout && context.Options().json) {
    context.Err() << "qel11ctl: monitor writes CSV, not JSON; give --json only with -o FILE\n";
    return kExitUsage;
  }
  if (!context.ClaimInstrument()) return kExitNoInstrument;

  RecordFile file;
  StreamRecordSink stdoutSink(context.Out());
  std::string path;
  if (!toStdout) {
    // The name as typed: its bytes are the file system's, never re-encoded.
    path = context.OutputPath(settings.output);
    if (!file.Open(std::filesystem::path(path))) return WriteFailed(context, path);
  }
  RecordSink& sink = toStdout ? static_cast<RecordSink&>(stdoutSink) : file;

  const SystemRecordClock clock;
  ScpiSession& session = context.Session();
  RecordingHeader header = ReadRecordingHeader(session);
  header.program = "qel11ctl";
  header.version = QEL_VERSION;
  header.computer = GetComputerName();
  const MonotonicTime origin = clock.MonotonicNow();
  header.started = clock.WallNow();
  Recorder recorder(sink);
  if (!recorder.Start(header, origin)) return WriteFailed(context, path);

  const auto duration = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
      std::chrono::duration<double>(settings.durationS));
  const MonotonicTime deadline = settings.durationS > 0 ? origin + duration : MonotonicTime::max();
  RowSchedule schedule(std::chrono::milliseconds(settings.intervalMs), origin);
  while (settings.count == 0 || recorder.Rows() < settings.count) {
    if (!SleepUntilUnlessStopped(std::min(schedule.NextDue(), deadline))) break;
    if (clock.MonotonicNow() >= deadline) break;
    // The first row starts the recording: its time is the header's.
    const TimedReading read = recorder.Rows() == 0 && clock.MonotonicNow() < origin + kOnTime
                                  ? ReadStamped(session, header.started, origin)
                                  : ReadTimed(session, clock);
    if (!recorder.AddRow(read)) return WriteFailed(context, path);
    schedule.Took(read.at, read.reading.answered);
    // Gone (unplugged, a restarted qel11-sim): the scan lets go of it and, once it is
    // back, claims it again, so the recording goes on by itself.
    if (!read.reading.answered) context.Link().ScanNow();
  }

  if (recorder.RowsWithoutAnswer() > 0 || recorder.RowsWithBadReply() > 0) {
    context.Err() << "qel11ctl: " << recorder.Rows() << " rows, " << recorder.RowsWithoutAnswer()
                  << " without answer, " << recorder.RowsWithBadReply() << " with a bad reply\n";
  }
  return kExitOk;
}

void AddMonitorCommand(CLI::App& app, Commands& commands) {
  const auto settings = std::make_shared<MonitorSettings>();
  auto* monitor = app.add_subcommand(
      "monitor",
      "record live readings as CSV to FILE or stdout until N rows, S seconds, or "
      "SIGINT/SIGTERM");
  monitor
      ->add_option("--interval", settings->intervalMs,
                   "milliseconds from one read to the next (default 1000; 0: back to back)")
      ->check(CLI::Range(0, 86400000));
  monitor->add_option("--count", settings->count, "stop after N rows")->check(CLI::PositiveNumber);
  monitor->add_option("--duration", settings->durationS, "stop after S seconds")
      ->check(CLI::PositiveNumber);
  monitor->add_option("-o,--output", settings->output, "CSV file to write (- or none: stdout)");
  commands.push_back({monitor,
                      [](std::ostream&) {
                        CatchStopSignals();
                        return kExitOk;
                      },
                      [settings](CliContext& context) { return RunMonitor(context, *settings); }});
}

}  // namespace qel::cli
