// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The field the probe sits in and what the instrument measures of it. One Step() is one
// measuring cycle (the instrument runs one per line it handles, so a seed and a line
// sequence always give the same readings). A cycle takes 8 samples of
//   B(t) = field + drift + sqrt(2) * acRms * sin(phase) + noise
// spread over one period of the alternating part: their mean is the DC reading, their
// spread around the mean the AC (RMS) reading. The fast peak memory sees every sample,
// the slow one only the cycle means. All values are in tesla; the null offset is taken
// off every reading.

#include <cstdint>
#include <random>

namespace qel::sim {

struct PeakMemory {
  double min = 0;
  double max = 0;
  bool empty = true;

  void Add(double value);
  void Reset() { *this = PeakMemory{}; }
  // The larger magnitude of min and max, with its sign.
  double Absolute() const;
};

class ReadingModel {
 public:
  explicit ReadingModel(std::uint64_t seed);

  // Steady part and RMS value of the alternating part of the field, in tesla.
  void SetField(double dcTesla, double acRmsTesla);
  double fieldDc() const { return fieldDc_; }
  double fieldAc() const { return fieldAc_; }
  // 1 is the normal noise and drift; 0 makes every reading exact.
  void SetNoiseScale(double scale) { noiseScale_ = scale; }

  void Step();

  double dc() const { return dc_ - nullOffset_; }
  double acRms() const { return acRms_; }
  // Peak memories with the null offset taken off.
  PeakMemory fastPeak() const { return Shifted(fast_); }
  PeakMemory slowPeak() const { return Shifted(slow_); }

  void NullPeaks();
  // Null compensation: the present DC reading becomes zero.
  void NullField() { nullOffset_ = dc_; }
  void ClearNull() { nullOffset_ = 0; }
  double nullOffset() const { return nullOffset_; }

 private:
  PeakMemory Shifted(const PeakMemory& peak) const;

  std::mt19937_64 rng_;
  std::normal_distribution<double> gauss_{0.0, 1.0};
  std::uniform_real_distribution<double> uniform_{0.0, 1.0};
  double fieldDc_ = 0.0253;
  double fieldAc_ = 0.0018;
  double noiseScale_ = 1;
  double drift_ = 0;
  double dc_ = 0.0253;
  double acRms_ = 0.0018;
  double nullOffset_ = 0;
  PeakMemory fast_;
  PeakMemory slow_;
};

}  // namespace qel::sim
