// SPDX-License-Identifier: GPL-3.0-or-later
// The chart's store (decimation and statistics against a plain pass over the points, its
// bound) and the one read source shared by the live readout and the trend window.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "../diag/scripted_instrument.h"
#include "core/record/live_read_source.h"
#include "core/record/reading_store.h"

namespace qel {
namespace {

using namespace std::chrono_literals;
constexpr float kNone = std::numeric_limits<float>::quiet_NaN();

ReadingStore::Values DcOnly(float dc) {
  ReadingStore::Values values;
  values.fill(kNone);
  values[0] = dc;
  return values;
}

TEST(ReadingStore, DecimatedViewKeepsEachColumnsExtremes) {
  ReadingStore store;
  const std::size_t n = 300000;
  std::vector<float> dc(n);
  for (std::size_t i = 0; i < n; ++i) {
    dc[i] = static_cast<float>(std::sin(i * 0.001) + ((i * 7919) % 101) * 1e-3);
    // every 1000th read got no answer
    store.Add(i * 0.1, i % 1000 == 999 ? DcOnly(kNone) : DcOnly(dc[i]));
  }
  const double t0 = 1234.5;
  const double t1 = 25000.0;
  const int columns = 800;
  const auto points = store.Decimated(0, t0, t1, columns);
  EXPECT_LE(points.size(), 2u * columns + 2);
  // Each column's extremes, found by a plain pass.
  const double width = (t1 - t0) / columns;
  for (int c : {0, 17, 400, columns - 1}) {
    float low = INFINITY, high = -INFINITY;
    for (std::size_t i = 0; i < n; ++i) {
      const double t = i * 0.1;
      if (i % 1000 == 999 || t < t0 + width * c || t >= t0 + width * (c + 1)) continue;
      low = std::min(low, dc[i]);
      high = std::max(high, dc[i]);
    }
    const double x = t0 + width * (c + 0.5);
    std::vector<double> at;
    for (const TrendPoint& p : points) {
      if (p.t == x) at.push_back(p.v);
    }
    ASSERT_EQ(at.size(), 2u) << c;
    EXPECT_EQ(*std::min_element(at.begin(), at.end()), low);
    EXPECT_EQ(*std::max_element(at.begin(), at.end()), high);
  }
  // Zoomed in far enough, the points come as they are, with a neighbour on each side.
  const auto raw = store.Decimated(0, 100.0, 110.0, columns);
  ASSERT_EQ(raw.size(), 103u);
  EXPECT_DOUBLE_EQ(raw.front().t, 99.8);  // the read at 99.9 got no answer
  EXPECT_DOUBLE_EQ(raw.back().t, 110.1);
  EXPECT_EQ(raw[1].v, dc[1000]);
}

// Uneven beats (a pause, a changed interval) and a store that has dropped its oldest
// chunks: every column still holds exactly the extremes of its readings.
TEST(ReadingStore, DecimatedColumnsFollowUnevenTimes) {
  ReadingStore store(8 * ReadingStore::kChunkPoints);
  std::vector<std::pair<double, float>> kept;
  double t = 0;
  for (std::size_t i = 0; i < 12 * ReadingStore::kChunkPoints; ++i) {
    t += i % 9000 == 8999 ? 600.0 : (i / 20000 % 2 == 0 ? 0.1 : 0.013);
    const float v = static_cast<float>(((i * 7919) % 1009) * 1e-3);
    store.Add(t, DcOnly(v));
    kept.emplace_back(t, v);
  }
  kept.erase(kept.begin(), kept.end() - static_cast<std::ptrdiff_t>(store.Size()));
  const double t0 = kept[1000].first;
  const double t1 = kept[kept.size() - 7].first;
  const int columns = 300;
  const double width = (t1 - t0) / columns;
  const auto points = store.Decimated(0, t0, t1, columns);
  for (int c = 0; c < columns; ++c) {
    float low = INFINITY, high = -INFINITY;
    for (const auto& [time, v] : kept) {
      const bool in =
          time >= t0 + width * c && (c + 1 == columns ? time <= t1 : time < t0 + width * (c + 1));
      if (in) low = std::min(low, v), high = std::max(high, v);
    }
    std::vector<double> at;
    for (const TrendPoint& p : points) {
      if (p.t == t0 + width * (c + 0.5)) at.push_back(p.v);
    }
    if (low > high) {
      EXPECT_TRUE(at.empty()) << c;
      continue;
    }
    ASSERT_FALSE(at.empty()) << c;
    EXPECT_EQ(*std::min_element(at.begin(), at.end()), low) << c;
    EXPECT_EQ(*std::max_element(at.begin(), at.end()), high) << c;
  }
}

TEST(ReadingStore, StatisticsOfTheShownRange) {
  ReadingStore store;
  std::vector<double> shown;
  for (int i = 0; i < 5000; ++i) {
    const float v = 0.0125f + static_cast<float>((i * 37) % 200) * 1e-6f;
    store.Add(i, DcOnly(v));
    if (i >= 130 && i <= 4321) shown.push_back(v);
  }
  const SeriesStats stats = store.Stats(0, 130, 4321);
  double mean = 0;
  for (double v : shown) mean += v;
  mean /= shown.size();
  double squares = 0;
  for (double v : shown) squares += (v - mean) * (v - mean);
  EXPECT_EQ(stats.count, shown.size());
  EXPECT_EQ(stats.min, *std::min_element(shown.begin(), shown.end()));
  EXPECT_EQ(stats.max, *std::max_element(shown.begin(), shown.end()));
  EXPECT_NEAR(stats.mean, mean, 1e-15);
  EXPECT_NEAR(stats.stddev, std::sqrt(squares / (shown.size() - 1)), 1e-15);
  EXPECT_EQ(store.Stats(1, 0, 5000).count, 0u);  // AC never read
  EXPECT_FALSE(store.HasValues(1, 0, 5000));
}

TEST(ReadingStore, StaysWithinItsBound) {
  ReadingStore store(3 * ReadingStore::kChunkPoints);
  for (std::size_t i = 0; i < 10 * ReadingStore::kChunkPoints; ++i) store.Add(i, DcOnly(1));
  EXPECT_EQ(store.Size(), 3 * ReadingStore::kChunkPoints);
  EXPECT_EQ(store.FirstTime(), 7.0 * ReadingStore::kChunkPoints);
  // Times and the DC series only: 12 bytes a point, and a little for the summaries.
  EXPECT_LT(store.MemoryBytes(), store.Size() * 13);
}

struct ManualClock : RecordClock {
  WallTime WallNow() const override { return {1796717702000 + ms(now), 60}; }
  MonotonicTime MonotonicNow() const override { return now; }
  static std::int64_t ms(MonotonicTime t) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(t.time_since_epoch()).count();
  }
  MonotonicTime now{};
};

TEST(LiveReadSource, TheFasterBeatReadsForBoth) {
  testing::ScriptedInstrument meter;
  meter.Reply("mode?", "DC");
  meter.Reply(":read:dc?", "0.5");
  meter.Reply(":rang?;unit?", "1;GAUS");
  ManualClock clock;
  LiveReadSource source(meter.session, clock);
  std::vector<std::string> seen;
  const int readout = source.AddClient(
      [&](const TimedReading& r) { seen.push_back("readout " + *r.reading.fields[0]); });
  const int trend = source.AddClient([&](const TimedReading&) { seen.push_back("trend"); });

  // Alone, each beat reads for itself.
  EXPECT_TRUE(source.Leads(trend, 1000ms));
  source.ReadNow();
  EXPECT_EQ(seen, (std::vector<std::string>{"readout 0.5", "trend"}));
  // The readout at 500 ms joins: it reads, the trend only listens.
  clock.now += 100ms;
  EXPECT_TRUE(source.Leads(readout, 500ms));
  clock.now += 500ms;
  EXPECT_FALSE(source.Leads(trend, 1000ms));
  EXPECT_EQ(source.ShortestInterval(), 500ms);
  // A trend at 100 ms takes over; the same interval goes to the client added first.
  EXPECT_TRUE(source.Leads(trend, 100ms));
  EXPECT_FALSE(source.Leads(readout, 500ms));
  EXPECT_TRUE(source.Leads(readout, 100ms));
  EXPECT_FALSE(source.Leads(trend, 100ms));
  // A stopped beat, or one whose ticks no longer come, leaves the reading to the other.
  source.Stop(readout);
  EXPECT_TRUE(source.Leads(trend, 100ms));
  EXPECT_FALSE(source.Running(readout));
  EXPECT_TRUE(source.Leads(readout, 50ms));
  clock.now += 400ms;
  EXPECT_TRUE(source.Leads(trend, 100ms));
  EXPECT_EQ(meter.sent.size(), 3u);  // one read: mode?, :read:dc?, :rang?;unit?
}

}  // namespace
}  // namespace qel
