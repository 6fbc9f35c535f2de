// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The readings a trend chart shows, kept in memory within a fixed bound (the full data
// lives in the recording's file): times in seconds and, per series, the instrument's value
// as a float (NaN where the series has no value). Storage comes in chunks, and a series
// gets a chunk only once it has a value in it, so a DC-only recording costs 12 bytes a
// point. When the bound is reached the oldest chunk goes.
//
// Every 64 points of a series carry a summary (count, minimum, maximum, mean, sum of
// squared deviations), so that the view of a million points is decimated, and its
// statistics taken, in time proportional to the pixels and blocks, not to the points.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/pages/live_reading.h"

namespace qel {

inline constexpr std::size_t kTrendSeriesCount = kLiveValueCount;  // in LiveValue order

struct TrendPoint {
  double t;
  double v;
};

struct SeriesStats {
  std::size_t count = 0;
  double min = 0;
  double max = 0;
  double mean = 0;
  double stddev = 0;  // sample standard deviation (n - 1); 0 for fewer than two values
};

class ReadingStore {
 public:
  static constexpr std::size_t kChunkPoints = 4096;
  static constexpr std::size_t kBlockPoints = 64;
  using Values = std::array<float, kTrendSeriesCount>;

  // At least `capacity` points are kept (whole chunks).
  explicit ReadingStore(std::size_t capacity = std::size_t{1} << 20);
  ~ReadingStore();
  ReadingStore(const ReadingStore&) = delete;
  ReadingStore& operator=(const ReadingStore&) = delete;

  void Clear();
  // `t` must not go back in time; a point with no value at all is kept as a time only.
  void Add(double t, const Values& values);

  std::size_t Size() const { return size_; }
  bool Empty() const { return size_ == 0; }
  double FirstTime() const;
  double LastTime() const;
  // Whether the series has any value in [t0, t1].
  bool HasValues(std::size_t series, double t0, double t1) const;

  // The series in [t0, t1] for a chart `columns` pixels wide: its points as they are when
  // there are at most two per column, else the minimum and maximum of each column. The
  // nearest point outside the range on either side is added, so lines reach the edges.
  std::vector<TrendPoint> Decimated(std::size_t series, double t0, double t1, int columns) const;
  SeriesStats Stats(std::size_t series, double t0, double t1) const;

  std::size_t MemoryBytes() const;

 private:
  struct Summary;
  struct SeriesChunk;
  struct Chunk;

  double TimeAt(std::size_t index) const;
  float ValueAt(std::size_t series, std::size_t index) const;  // NaN when none
  std::size_t LowerBound(double t) const;                      // first index with time >= t
  std::size_t UpperBound(double t) const;                      // first index with time > t
  // The first index in [from, last] with time >= end, for a column of `columnsLeft`.
  std::size_t ColumnEnd(double end, std::size_t from, std::size_t last, int columnsLeft) const;
  Summary Range(std::size_t series, std::size_t first, std::size_t last) const;
  // Only the extremes (count 0: none), the cheaper pass the decimation needs.
  Summary Extremes(std::size_t series, std::size_t first, std::size_t last) const;
  template <typename OnBlock, typename OnValue>
  void Walk(std::size_t series, std::size_t first, std::size_t last, OnBlock onBlock,
            OnValue onValue) const;

  std::size_t maxChunks_;
  std::vector<std::unique_ptr<Chunk>> chunks_;  // oldest first; at most a few hundred
  std::size_t size_ = 0;
};

}  // namespace qel
