// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/record/reading_store.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qel {
namespace {

constexpr float kNoValue = std::numeric_limits<float>::quiet_NaN();
constexpr std::size_t kBlocksPerChunk = ReadingStore::kChunkPoints / ReadingStore::kBlockPoints;

}  // namespace

// Count, extremes, mean and sum of squared deviations of some values; two summaries merge
// exactly (the parallel form of Welford's method), so blocks add up to any range.
struct ReadingStore::Summary {
  std::uint32_t count = 0;
  float min = 0;
  float max = 0;
  double mean = 0;
  double m2 = 0;

  void Add(float value) {
    if (count == 0 || value < min) min = value;
    if (count == 0 || value > max) max = value;
    ++count;
    const double delta = value - mean;
    mean += delta / count;
    m2 += delta * (value - mean);
  }
  void Merge(const Summary& other) {
    if (other.count == 0) return;
    if (count == 0) {
      *this = other;
      return;
    }
    const double n = static_cast<double>(count) + other.count;
    const double delta = other.mean - mean;
    mean += delta * other.count / n;
    m2 += other.m2 + delta * delta * count * other.count / n;
    min = std::min(min, other.min);
    max = std::max(max, other.max);
    count += other.count;
  }
};

struct ReadingStore::SeriesChunk {
  std::array<float, kChunkPoints> values;
  std::array<Summary, kBlocksPerChunk> blocks{};
  SeriesChunk() { values.fill(kNoValue); }
};

struct ReadingStore::Chunk {
  std::array<double, kChunkPoints> times{};
  std::array<std::unique_ptr<SeriesChunk>, kTrendSeriesCount> series;
  std::size_t size = 0;
};

ReadingStore::ReadingStore(std::size_t capacity)
    : maxChunks_(std::max<std::size_t>(1, (capacity + kChunkPoints - 1) / kChunkPoints)) {}

ReadingStore::~ReadingStore() = default;

void ReadingStore::Clear() {
  chunks_.clear();
  size_ = 0;
}

void ReadingStore::Add(double t, const Values& values) {
  if (chunks_.empty() || chunks_.back()->size == kChunkPoints) {
    if (chunks_.size() == maxChunks_) {
      size_ -= chunks_.front()->size;
      chunks_.erase(chunks_.begin());
    }
    chunks_.push_back(std::make_unique<Chunk>());
  }
  Chunk& chunk = *chunks_.back();
  const std::size_t at = chunk.size;
  chunk.times[at] = t;
  for (std::size_t s = 0; s < kTrendSeriesCount; ++s) {
    if (std::isnan(values[s])) continue;
    auto& series = chunk.series[s];
    if (!series) series = std::make_unique<SeriesChunk>();
    series->values[at] = values[s];
    series->blocks[at / kBlockPoints].Add(values[s]);
  }
  ++chunk.size;
  ++size_;
}

double ReadingStore::TimeAt(std::size_t index) const {
  return chunks_[index / kChunkPoints]->times[index % kChunkPoints];
}

float ReadingStore::ValueAt(std::size_t series, std::size_t index) const {
  const auto& chunk = chunks_[index / kChunkPoints]->series[series];
  return chunk ? chunk->values[index % kChunkPoints] : kNoValue;
}

double ReadingStore::FirstTime() const {
  return size_ == 0 ? 0.0 : TimeAt(0);
}

double ReadingStore::LastTime() const {
  return size_ == 0 ? 0.0 : TimeAt(size_ - 1);
}

// Times only grow: first the chunk by its first time, then the place within it.
std::size_t ReadingStore::LowerBound(double t) const {
  const auto chunk = std::partition_point(chunks_.begin(), chunks_.end(),
                                          [t](const auto& c) { return c->times[c->size - 1] < t; });
  if (chunk == chunks_.end()) return size_;
  const double* times = (*chunk)->times.data();
  const std::size_t index = static_cast<std::size_t>(chunk - chunks_.begin());
  return index * kChunkPoints +
         static_cast<std::size_t>(std::lower_bound(times, times + (*chunk)->size, t) - times);
}

std::size_t ReadingStore::UpperBound(double t) const {
  const auto chunk = std::partition_point(
      chunks_.begin(), chunks_.end(), [t](const auto& c) { return c->times[c->size - 1] <= t; });
  if (chunk == chunks_.end()) return size_;
  const double* times = (*chunk)->times.data();
  const std::size_t index = static_cast<std::size_t>(chunk - chunks_.begin());
  return index * kChunkPoints +
         static_cast<std::size_t>(std::upper_bound(times, times + (*chunk)->size, t) - times);
}

// Readings mostly come at a steady beat, so where the next column ends is guessed from
// the points left and then corrected by a step or two; far-off guesses (gaps, a changed
// interval) fall back to the binary search. Near the guess, memory is touched only there.
std::size_t ReadingStore::ColumnEnd(double end, std::size_t from, std::size_t last,
                                    int columnsLeft) const {
  std::size_t at = from + (last - from) / static_cast<std::size_t>(columnsLeft);
  for (int step = 0; step < 16; ++step) {
    if (at > from && TimeAt(at - 1) >= end) {
      --at;
    } else if (at < last && TimeAt(at) < end) {
      ++at;
    } else {
      return at;
    }
  }
  return std::clamp(LowerBound(end), from, last);
}

// Visits the readings first..last of one series: whole blocks through their summary
// (onBlock), the rest one value at a time (onValue, never NaN).
template <typename OnBlock, typename OnValue>
void ReadingStore::Walk(std::size_t series, std::size_t first, std::size_t last, OnBlock onBlock,
                        OnValue onValue) const {
  std::size_t i = first;
  while (i < last) {
    const SeriesChunk* chunk = chunks_[i / kChunkPoints]->series[series].get();
    const std::size_t chunkEnd = std::min(last, (i / kChunkPoints + 1) * kChunkPoints);
    if (chunk == nullptr) {
      i = chunkEnd;
      continue;
    }
    while (i < chunkEnd) {
      const std::size_t offset = i % kChunkPoints;
      if (offset % kBlockPoints == 0 && i + kBlockPoints <= chunkEnd) {
        onBlock(chunk->blocks[offset / kBlockPoints]);
        i += kBlockPoints;
        continue;
      }
      const float v = chunk->values[offset];
      if (!std::isnan(v)) onValue(v);
      ++i;
    }
  }
}

ReadingStore::Summary ReadingStore::Range(std::size_t series, std::size_t first,
                                          std::size_t last) const {
  Summary total;
  Walk(
      series, first, last, [&total](const Summary& block) { total.Merge(block); },
      [&total](float v) {
        Summary one;
        one.Add(v);
        total.Merge(one);
      });
  return total;
}

ReadingStore::Summary ReadingStore::Extremes(std::size_t series, std::size_t first,
                                             std::size_t last) const {
  Summary total;
  const auto extend = [&total](float low, float high, std::uint32_t count) {
    total.min = total.count == 0 ? low : std::min(total.min, low);
    total.max = total.count == 0 ? high : std::max(total.max, high);
    total.count += count;
  };
  Walk(
      series, first, last,
      [&extend](const Summary& block) {
        if (block.count > 0) extend(block.min, block.max, block.count);
      },
      [&extend](float v) { extend(v, v, 1); });
  return total;
}

bool ReadingStore::HasValues(std::size_t series, double t0, double t1) const {
  return Extremes(series, LowerBound(t0), UpperBound(t1)).count > 0;
}

std::vector<TrendPoint> ReadingStore::Decimated(std::size_t series, double t0, double t1,
                                                int columns) const {
  std::vector<TrendPoint> points;
  if (size_ == 0 || columns <= 0 || !(t1 > t0)) return points;
  const std::size_t first = LowerBound(t0);
  const std::size_t last = UpperBound(t1);
  // The nearest values outside (within a chunk's reach, so a long gap costs nothing), so
  // that the line runs on to the chart's edges.
  const std::size_t reachBack = first > kChunkPoints ? first - kChunkPoints : 0;
  for (std::size_t i = first; i-- > reachBack;) {
    const float v = ValueAt(series, i);
    if (!std::isnan(v)) {
      points.push_back({TimeAt(i), v});
      break;
    }
  }
  if (last - first <= 2 * static_cast<std::size_t>(columns)) {
    for (std::size_t i = first; i < last; ++i) {
      const float v = ValueAt(series, i);
      if (!std::isnan(v)) points.push_back({TimeAt(i), v});
    }
  } else {
    const double width = (t1 - t0) / columns;
    std::size_t from = first;
    for (int c = 0; c < columns; ++c) {
      const double end = c + 1 == columns ? t1 : t0 + width * (c + 1);
      const std::size_t to = c + 1 == columns ? last : ColumnEnd(end, from, last, columns - c);
      const Summary column = Extremes(series, from, to);
      from = to;
      if (column.count == 0) continue;
      const double x = t0 + width * (c + 0.5);
      // The extreme nearer to where the line comes from first: no needless zigzag.
      const bool maxFirst = !points.empty() && std::fabs(points.back().v - column.max) <
                                                   std::fabs(points.back().v - column.min);
      points.push_back({x, maxFirst ? column.max : column.min});
      if (column.max != column.min) points.push_back({x, maxFirst ? column.min : column.max});
    }
  }
  for (std::size_t i = last; i < std::min(size_, last + kChunkPoints); ++i) {
    const float v = ValueAt(series, i);
    if (!std::isnan(v)) {
      points.push_back({TimeAt(i), v});
      break;
    }
  }
  return points;
}

SeriesStats ReadingStore::Stats(std::size_t series, double t0, double t1) const {
  const Summary range = Range(series, LowerBound(t0), UpperBound(t1));
  SeriesStats stats;
  stats.count = range.count;
  if (range.count == 0) return stats;
  stats.min = range.min;
  stats.max = range.max;
  stats.mean = range.mean;
  stats.stddev = range.count > 1 ? std::sqrt(range.m2 / (range.count - 1)) : 0.0;
  return stats;
}

std::size_t ReadingStore::MemoryBytes() const {
  std::size_t bytes = 0;
  for (const auto& chunk : chunks_) {
    bytes += sizeof(Chunk);
    for (const auto& series : chunk->series) bytes += series ? sizeof(SeriesChunk) : 0;
  }
  return bytes;
}

}  // namespace qel
