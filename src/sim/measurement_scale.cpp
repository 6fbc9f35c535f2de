// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/measurement_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string_view>

#include "sim/instrument_settings.h"

namespace qel::sim {

double TeslaToUnit(double tesla, int unit) {
  constexpr double kMu0 = 4e-7 * std::numbers::pi;
  switch (unit) {
    case kUnitGauss:
    case kUnitOersted:
      return tesla * 1e4;
    case kUnitAmperePerMetre:
      return tesla / kMu0;
    default:
      return tesla;
  }
}

double RangeLimitTesla(int mode, int range) {
  static constexpr double kLimits[4] = {0.02, 0.2, 2.0, 10.0};
  if (range < 0 || range > 3) return kLimits[3];
  if (range == 3 && mode == kModeAc) return 7.0;
  return kLimits[range];
}

double TestStageLimitTesla(int stage) {
  static constexpr double kLimits[8] = {10, 1, 0.6, 0.3, 0.15, 0.075, 0.03, 0.015};
  return kLimits[(stage < 0 || stage > 7) ? 0 : stage];
}

double TestStageGain(int stage) {
  return std::ldexp(1.0, (stage < 0 || stage > 7) ? 0 : stage);
}

std::string TestStageName(int stage) {
  static constexpr const char* kNames[8] = {"  10  T B0", "1000 mT B1", " 600 mT B2", " 300 mT B3",
                                            " 150 mT B4", "  75 mT B5", "  30 mT B6", "  15 mT B7"};
  return kNames[(stage < 0 || stage > 7) ? 0 : stage];
}

std::string DisplayNumber(double value, int unit, int range, std::string& unitText) {
  // Scale and decimal places by unit (rows) and range (columns).
  static constexpr double kScale[4][4] = {{1000, 1000, 1000, 1000},
                                          {1, 1, 0.001, 0.001},
                                          {1, 1, 0.001, 0.001},
                                          {0.001, 0.001, 0.001, 0.001}};
  static constexpr int kPlaces[4][4] = {{3, 2, 1, 0}, {2, 1, 3, 2}, {2, 1, 3, 2}, {3, 2, 1, 0}};
  static constexpr const char* kLetters[4] = {"T", "G", "Oe", "A/m"};
  if (unit < 0 || unit > 3) unit = 0;
  if (range < 0 || range > 3) range = 0;
  if (std::fabs(value) > 1e20) {
    unitText.clear();
    return " OVLD ";
  }
  const double scale = kScale[unit][range];
  const int places = kPlaces[unit][range];
  unitText = std::string(scale < 1 ? "k" : scale > 1 ? "m" : "") + kLetters[unit];
  const double v = value * scale;
  const double magnitude = std::fabs(v);
  char digits[40];
  if (magnitude >= 9999.5) {
    std::snprintf(digits, sizeof digits, "%.3E", magnitude);
  } else {
    // Four significant digits at most; places beyond them show as 0.
    const int integerDigits =
        magnitude < 1 ? 1 : static_cast<int>(std::floor(std::log10(magnitude))) + 1;
    const int significantPlaces = std::max(0, 4 - integerDigits);
    const double rounded =
        std::round(magnitude * std::pow(10, significantPlaces)) / std::pow(10, significantPlaces);
    std::snprintf(digits, sizeof digits, "%.*f", places, rounded);
  }
  const std::string_view text = digits;
  const bool point = text.find('.') != std::string_view::npos;
  const std::size_t width = point ? 5 : 4;
  std::string out(1, v >= 0 ? '+' : '-');
  if (text.size() < width) out.append(width - text.size(), '0');
  out.append(text);
  return out;
}

}  // namespace qel::sim
