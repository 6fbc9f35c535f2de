// SPDX-License-Identifier: GPL-3.0-or-later
// The trend window's costs, on Qt's offscreen platform with the in-process virtual
// instrument:
//   - one redraw of the chart (decimation, series, painting) with 1,000,000 readings
//     recorded, against the same with 1,000: the goal is under 16 ms, and a ratio near 1
//     shows that the points in view do not matter;
//   - the memory a simulated 24 h recording at 10 rows/s in peak mode adds to the idle
//     window program (goal: under 64 MiB), through the window's own read path;
//   - the CPU share of the window program while it records at 10 rows/s with the chart
//     open (goal: under 5 % of one core).

#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QSpinBox>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/link/hid_link.h"
#include "core/record/live_read_source.h"
#include "gui/app/qel_application.h"
#include "gui/trend/TrendForm.h"
#include "gui/trend/trend_chart.h"
#include "ratio_reporter.h"
#include "sim/sim_backend.h"
#include "ui_TrendForm.h"

namespace {

using namespace qel;

double ResidentMiB() {
  std::ifstream statm("/proc/self/statm");
  long size = 0;
  long resident = 0;
  statm >> size >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1 << 20);
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void RunEventLoopFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

struct ManualClock : RecordClock {
  WallTime WallNow() const override { return {1796717702000 + ms, 60}; }
  MonotonicTime MonotonicNow() const override {
    return MonotonicTime(std::chrono::milliseconds(ms));
  }
  std::int64_t ms = 0;
};

std::unique_ptr<gui::QelApplication> IdleWindowProgram() {
  gui::ProgramOptions options;
  options.device = "sim";
  const auto settings = std::filesystem::temp_directory_path() / "qel-bench-settings.ini";
  auto app = std::make_unique<gui::QelApplication>(
      options, std::make_unique<sim::SimBackend>(), [settings] { return settings; }, true);
  app->ShowMainForm();
  app->ScanNow();
  return app;
}

void BM_ChartRedraw(benchmark::State& state) {
  const auto points = static_cast<std::size_t>(state.range(0));
  ReadingStore store(points);
  ReadingStore::Values values;
  values.fill(NAN);
  for (std::size_t i = 0; i < points; ++i) {
    values[0] = static_cast<float>(0.025 + 1e-4 * std::sin(i * 1e-3) + 1e-6 * ((i * 7919) % 97));
    store.Add(i * 0.1, values);
  }
  gui::TrendChartView chart;
  chart.resize(820, 400);
  chart.show();
  chart.SetDisplayUnit(1, 0);
  chart.SetStore(&store, {1796717702000, 60});
  chart.SetView(gui::TrendChartView::TimeView::All);
  for (auto _ : state) {
    chart.Redraw();
    benchmark::DoNotOptimize(chart.grab());  // paints the chart as the screen would
  }
}
BENCHMARK(BM_ChartRedraw)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Memory24hAt10RowsPerSecond(benchmark::State& state) {
  const auto idle = IdleWindowProgram();
  RunEventLoopFor(200);
  const double idleMiB = ResidentMiB();
  sim::SimBackend backend;
  HidLink link(backend);
  link.ScanNow();
  ScpiSession session(link);
  session.ScpiQuery("MODE PEAK");
  ManualClock clock;
  LiveReadSource source(session, clock);
  gui::TTrendForm trend(gui::TrendRun{source, {}, false});
  trend.show();
  trend.Form().IntervallEdit->setValue(100);
  trend.StartButtonClick();
  const long rows = 24L * 3600 * 10;
  for (auto _ : state) {
    for (long i = 1; i < rows; ++i) {
      clock.ms += 100;
      source.ReadNow();
    }
    trend.Chart().Redraw();
    RunEventLoopFor(100);
  }
  state.counters["rows"] = static_cast<double>(trend.Store().Size());
  state.counters["idle_MiB"] = idleMiB;
  state.counters["added_MiB"] = ResidentMiB() - idleMiB;
  state.counters["store_MiB"] = trend.Store().MemoryBytes() / double(1 << 20);
}
BENCHMARK(BM_Memory24hAt10RowsPerSecond)->Iterations(1)->Unit(benchmark::kSecond);

void BM_CpuWhileRecordingAt10RowsPerSecond(benchmark::State& state) {
  const auto app = IdleWindowProgram();
  gui::TTrendForm& trend = app->TrendForm();
  trend.ShowCentredOn(app->MainForm());
  trend.Form().IntervallEdit->setValue(100);
  const auto file = std::filesystem::temp_directory_path() / "qel-bench-recording.csv";
  trend.AskRecordingFile = [&file] { return QString::fromStdString(file.string()); };
  trend.AufzeichnenButtonClick();
  RunEventLoopFor(1000);  // settled
  for (auto _ : state) {
    const double cpu = CpuSeconds();
    const auto wall = std::chrono::steady_clock::now();
    RunEventLoopFor(static_cast<int>(state.range(0)));
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count();
    state.counters["cpu_percent"] = 100.0 * (CpuSeconds() - cpu) / seconds;
  }
  trend.BeendenButtonClick();
  state.counters["rows"] = static_cast<double>(trend.Store().Size());
  std::filesystem::remove(file);
}
BENCHMARK(BM_CpuWhileRecordingAt10RowsPerSecond)
    ->Arg(15000)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  return qel::bench::RunWithRatios(
      argc, argv, {{"BM_ChartRedraw/1000000/real_time", "BM_ChartRedraw/1000/real_time"}});
}
