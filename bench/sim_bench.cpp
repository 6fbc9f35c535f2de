// SPDX-License-Identifier: GPL-3.0-or-later
// How many lines per second the virtual instrument answers: the model alone
// (Instrument::HandleLine) and through the in-process HID device (write one output
// report, read one input report). Ratios at the end compare each path with the model.

#include <array>
#include <string>
#include <vector>

#include "ratio_reporter.h"
#include "sim/instrument.h"
#include "sim/sim_backend.h"

namespace {

using namespace qel;

// A typical mix: the live readout in peak mode, input polling and a hardcopy chunk.
const std::array<std::string, 5> kMix = {"MODE?", ":rang?;unit?", "DGIO:IN?",
                                         ":peak:fast:read?;read:min?;max?", "INTE:HC?"};

// The 25 lines of one display capture.
std::vector<std::string> CaptureLines() {
  std::vector<std::string> lines = {"INTE:HCLN 48", "INTE:HCOF 0"};
  for (int i = 0; i < 21; ++i) lines.push_back("INTE:HC?");
  lines.push_back("INTE:HCLN 16");
  lines.push_back("INTE:HC?");
  return lines;
}

void Model_Mix(benchmark::State& state) {
  sim::Instrument instrument;
  instrument.HandleLine("MODE PEAK");
  std::size_t i = 0;
  for (auto _ : state) {
    const std::string& line = kMix[i++ % kMix.size()];
    if (line == "INTE:HC?" && instrument.hardcopy().offset() >= 1024) {
      instrument.HandleLine("INTE:HCOF 0");
    }
    benchmark::DoNotOptimize(instrument.HandleLine(line));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(Model_Mix);

void Model_Line(benchmark::State& state) {
  sim::Instrument instrument;
  const std::string& line = kMix[static_cast<std::size_t>(state.range(0))];
  state.SetLabel(line);
  for (auto _ : state) {
    // Chunks are read from one picture; start over before the memory's end.
    if (line == "INTE:HC?" && instrument.hardcopy().offset() >= 1024) {
      state.PauseTiming();
      instrument.HandleLine("INTE:HCOF 0");
      state.ResumeTiming();
    }
    benchmark::DoNotOptimize(instrument.HandleLine(line));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(Model_Line)->DenseRange(0, 4);

void Model_Capture(benchmark::State& state) {
  sim::Instrument instrument;
  const auto lines = CaptureLines();
  for (auto _ : state) {
    for (const auto& line : lines) benchmark::DoNotOptimize(instrument.HandleLine(line));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(lines.size()));
}
BENCHMARK(Model_Capture);

void Backend_Mix(benchmark::State& state) {
  sim::SimBackend backend;
  auto connection = backend.Open(backend.DeviceInfo());
  std::vector<std::vector<std::uint8_t>> reports;
  for (const auto& line : kMix) {
    std::vector<std::uint8_t> report(65, 0);
    const std::string text = line + "\n";
    std::copy(text.begin(), text.end(), report.begin() + 1);
    reports.push_back(std::move(report));
  }
  std::uint8_t input[65];
  std::size_t delivered = 0;
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& report = reports[i++ % reports.size()];
    if (i % 5 == 0) {
      state.PauseTiming();
      backend.ClearReceived();  // keeps the record from growing without end
      backend.WithInstrument([](sim::Instrument& instrument) {
        if (instrument.hardcopy().offset() >= 1024) instrument.HandleLine("INTE:HCOF 0");
        return 0;
      });
      state.ResumeTiming();
    }
    connection->Write(report.data(), report.size());
    if (connection->Read(input, sizeof input, 1000, delivered) != ReadStatus::Report) {
      state.SkipWithError("no answer");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(Backend_Mix);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  qel::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios({{"Backend_Mix", "Model_Mix"}});
  benchmark::Shutdown();
  return 0;
}
