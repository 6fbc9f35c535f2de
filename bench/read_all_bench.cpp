// SPDX-License-Identifier: GPL-3.0-or-later
// "Werte aus Gerät lesen " (read all pages, 39 lines) over the in-process virtual
// instrument against 39 bare exchanges (write one report, read one report) on the same
// device, at 0 and 1 ms latency per report. The ratio is what the core's page models,
// SCPI session, link and protocol log cost on top of the wire.

#include <chrono>

#include "core/link/hid_link.h"
#include "core/link/scpi_session.h"
#include "core/pages/parameter_pages.h"
#include "ratio_reporter.h"
#include "sim/sim_backend.h"

namespace {

using namespace qel;

constexpr int kReadAllLines = 39;

sim::SimOptions Options(benchmark::State& state) {
  sim::SimOptions options;
  options.latencyMs = static_cast<int>(state.range(0));
  return options;
}

void BM_RawExchanges39(benchmark::State& state) {
  sim::SimBackend backend(Options(state));
  auto connection = backend.Open(backend.Enumerate().front());
  std::uint8_t out[65] = {0, 'M', 'O', 'D', 'E', '?', '\n'};
  std::uint8_t in[66];
  for (auto _ : state) {
    for (int i = 0; i < kReadAllLines; ++i) {
      std::size_t delivered = 0;
      connection->Write(out, sizeof out);
      connection->Read(in, 65, 1000, delivered);
      benchmark::DoNotOptimize(in[1]);
    }
  }
  state.SetItemsProcessed(state.iterations() * kReadAllLines);
}

void BM_ReadAll(benchmark::State& state) {
  sim::SimBackend backend(Options(state));
  MemoryLog memo;
  MemoryLog protocol;
  HidLink link(backend, memo);
  link.ScanNow();
  ScpiSession session(link, &protocol);
  ParameterPages pages;
  for (auto _ : state) {
    pages.ReadAll(session);
    benchmark::DoNotOptimize(pages.EinheitenFrame1.Mess_Modus.Index());
  }
  state.SetItemsProcessed(state.iterations() * kReadAllLines);
}

BENCHMARK(BM_RawExchanges39)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_ReadAll)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  return qel::bench::RunWithRatios(argc, argv,
                                   {{"BM_ReadAll/0/real_time", "BM_RawExchanges39/0/real_time"},
                                    {"BM_ReadAll/1/real_time", "BM_RawExchanges39/1/real_time"}});
}
