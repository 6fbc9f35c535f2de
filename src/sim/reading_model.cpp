// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/reading_model.h"

#include <cmath>
#include <numbers>

namespace qel::sim {

void PeakMemory::Add(double value) {
  if (empty) {
    min = max = value;
    empty = false;
    return;
  }
  if (value < min) min = value;
  if (value > max) max = value;
}

double PeakMemory::Absolute() const {
  return std::fabs(max) >= std::fabs(min) ? max : min;
}

ReadingModel::ReadingModel(std::uint64_t seed) : rng_(seed) {
  Step();
}

void ReadingModel::SetField(double dcTesla, double acRmsTesla) {
  fieldDc_ = dcTesla;
  fieldAc_ = std::fabs(acRmsTesla);
  drift_ = 0;
}

void ReadingModel::Step() {
  constexpr int kSamples = 8;
  // Drift: a slow random walk pulled back towards the field, some 0.02 % of it.
  const double driftSigma = noiseScale_ * (2e-4 * std::fabs(fieldDc_) + 2e-6);
  drift_ = 0.9 * drift_ + driftSigma * gauss_(rng_);
  const double noiseSigma = noiseScale_ * (1e-4 * std::fabs(fieldDc_) + 5e-6);
  const double startPhase = 2 * std::numbers::pi * uniform_(rng_);
  double samples[kSamples];
  double sum = 0;
  for (int k = 0; k < kSamples; ++k) {
    const double phase = startPhase + 2 * std::numbers::pi * k / kSamples;
    samples[k] = fieldDc_ + drift_ + std::numbers::sqrt2 * fieldAc_ * std::sin(phase) +
                 noiseSigma * gauss_(rng_);
    sum += samples[k];
    fast_.Add(samples[k]);
  }
  dc_ = sum / kSamples;
  double square = 0;
  for (double s : samples) square += (s - dc_) * (s - dc_);
  acRms_ = std::sqrt(square / kSamples);
  slow_.Add(dc_);
}

void ReadingModel::NullPeaks() {
  fast_.Reset();
  slow_.Reset();
}

PeakMemory ReadingModel::Shifted(const PeakMemory& peak) const {
  PeakMemory out = peak;
  if (!out.empty) {
    out.min -= nullOffset_;
    out.max -= nullOffset_;
  }
  return out;
}

}  // namespace qel::sim
