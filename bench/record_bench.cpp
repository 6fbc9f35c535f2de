// SPDX-License-Identifier: GPL-3.0-or-later
// One recorded row with back-to-back reads (qel11ctl monitor --interval 0) in peak mode,
// against the link's own time for it: the five bare exchanges (write one report, read one
// report) of the same lines on the same in-process virtual instrument, at 0 and 1 ms
// latency per report. The row adds the session and link, the parsing, the CSV text, the
// write to the file and the schedule.

#include <unistd.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <string>

#include "core/link/hid_link.h"
#include "core/link/scpi_session.h"
#include "core/record/recorder.h"
#include "ratio_reporter.h"
#include "sim/sim_backend.h"

namespace {

using namespace qel;

const std::array<std::string, 5> kPeakLines = {"mode?\n", ":read:dc?\n", ":rang?;unit?\n",
                                               ":peak:fast:read?;read:min?;max?\n",
                                               ":peak:slow:read?;read:min?;max?\n"};

sim::SimOptions Options(benchmark::State& state) {
  sim::SimOptions options;
  options.latencyMs = static_cast<int>(state.range(0));
  return options;
}

void PeakMode(HidConnection& connection) {
  std::uint8_t out[65] = {0};
  std::memcpy(out + 1, "MODE PEAK\n", 10);
  std::uint8_t in[66];
  std::size_t delivered = 0;
  connection.Write(out, sizeof out);
  connection.Read(in, 65, 1000, delivered);
}

void BM_RawExchangesOfARow(benchmark::State& state) {
  sim::SimBackend backend(Options(state));
  auto connection = backend.Open(backend.Enumerate().front());
  PeakMode(*connection);
  std::array<std::array<std::uint8_t, 65>, 5> out{};
  for (std::size_t i = 0; i < kPeakLines.size(); ++i) {
    std::memcpy(out[i].data() + 1, kPeakLines[i].data(), kPeakLines[i].size());
  }
  std::uint8_t in[66];
  for (auto _ : state) {
    for (const auto& report : out) {
      std::size_t delivered = 0;
      connection->Write(report.data(), report.size());
      connection->Read(in, 65, 1000, delivered);
      benchmark::DoNotOptimize(in[1]);
    }
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_RecordedRow(benchmark::State& state) {
  sim::SimBackend backend(Options(state));
  MemoryLog memo;
  HidLink link(backend, memo);
  link.ScanNow();
  ScpiSession session(link);
  session.ScpiQuery("MODE PEAK");
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("qel-record-bench-" + std::to_string(getpid()));
  RecordFile file;
  if (!file.Open(path)) state.SkipWithError("no file");
  const SystemRecordClock clock;
  Recorder recorder(file);
  RecordingHeader header;
  header.started = clock.WallNow();
  recorder.Start(header, clock.MonotonicNow());
  RowSchedule schedule(std::chrono::milliseconds(0), clock.MonotonicNow());
  for (auto _ : state) {
    const TimedReading read = ReadTimed(session, clock);
    if (!recorder.AddRow(read)) state.SkipWithError("write failed");
    schedule.Took(read.at, read.reading.answered);
    benchmark::DoNotOptimize(schedule.NextDue());
  }
  state.SetItemsProcessed(state.iterations());
  file.Close();
  std::filesystem::remove(path);
}

BENCHMARK(BM_RawExchangesOfARow)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_RecordedRow)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  return qel::bench::RunWithRatios(
      argc, argv,
      {{"BM_RecordedRow/0/real_time", "BM_RawExchangesOfARow/0/real_time"},
       {"BM_RecordedRow/1/real_time", "BM_RawExchangesOfARow/1/real_time"}});
}
