// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pages/display_readout.h"

#include <cmath>

#include "core/link/scpi_session.h"
#include "core/pages/choice_lists.h"
#include "core/pages/number_text.h"
#include "core/pages/page_helpers.h"

namespace qel {
namespace {

// Factor from the instrument's T, G, Oe or A/m to the shown unit, and the decimal places,
// both by [unit][range]. The prefix follows from the factor: > 1 "m", < 1 "k".
//   unit      scale, ranges 0..3           places   prefix
//   Tesla     1000  1000  1000  1000       3 2 1 0  m
//   Gauss     1     1     0.001 0.001      2 1 3 2  -, -, k, k
//   Oersted   as Gauss
//   kA/m      0.001 0.001 0.001 0.001      3 2 1 0  k
constexpr std::array<std::array<double, 4>, 4> kReadingScale = {{{1000, 1000, 1000, 1000},
                                                                 {1, 1, 0.001, 0.001},
                                                                 {1, 1, 0.001, 0.001},
                                                                 {0.001, 0.001, 0.001, 0.001}}};
constexpr std::array<std::array<int, 4>, 4> kReadingDigits = {
    {{3, 2, 1, 0}, {2, 1, 3, 2}, {2, 1, 3, 2}, {3, 2, 1, 0}}};

constexpr std::size_t Slot(ReadoutLabel label) {
  return static_cast<std::size_t>(label);
}

}  // namespace

std::string NextReplyField(std::string& buffer) {
  const std::size_t semicolon = buffer.find(';');
  if (semicolon == std::string::npos) return buffer;
  std::string field = buffer.substr(0, semicolon);
  buffer.erase(0, semicolon + 1);
  return field;
}

double ReadNumberField(std::string& buffer) {
  return ParseDecimal(NextReplyField(buffer)).value_or(0.0);
}

double ReadingScale(int range, int unit) {
  if (range < 0 || range > 3 || unit < 0 || unit > 3) return 1.0;
  return kReadingScale[static_cast<std::size_t>(unit)][static_cast<std::size_t>(range)];
}

std::string ReadingUnitText(int range, int unit) {
  if (range < 0 || range > 3 || unit < 0 || unit > 3) return {};
  const double scale = ReadingScale(range, unit);
  return std::string(scale < 1   ? "k"
                     : scale > 1 ? "m"
                                 : "") +
         IndexToToken(unit, kUnitLetterTokens);
}

std::string FormatReading(double value, int range, int unit, char separator) {
  if (range < 0 || range > 3 || unit < 0 || unit > 3) return std::string(kNoReadingText);
  if (value > kOverloadLimit) return std::string(kOverloadText);
  const auto u = static_cast<std::size_t>(unit);
  const auto r = static_cast<std::size_t>(range);
  const double scale = kReadingScale[u][r];
  const double v = value * scale;
  std::string text = FormatFixed(std::fabs(v), 4, kReadingDigits[u][r], separator);
  while (text.find(separator) != std::string::npos ? text.size() < 5 : text.size() < 4) {
    text.insert(text.begin(), '0');
  }
  text.insert(text.begin(), v >= 0 ? '+' : '-');
  return text + " " + ReadingUnitText(range, unit) + " ";
}

void DisplayReadout::ReadDisplay(ScpiSession& session, char separator) {
  Show(ReadLiveReading(session), separator);
}

void DisplayReadout::Show(const LiveReading& reading, char separator) {
  mode_ = reading.mode;
  range_ = reading.range;
  unit_ = reading.unit;
  if (range_ < 0 || unit_ < 0) {
    for (std::string& text : texts_) text = kNoReadingText;
    return;
  }
  const auto format = [&](LiveValue value) {
    return FormatReading(reading.ValueOrZero(value), range_, unit_, separator);
  };
  TextOf(ReadoutLabel::DC_Out) = format(LiveValue::Dc);

  switch (mode_) {
    case 0:
      acVisible_ = false;
      peakVisible_ = false;
      break;
    case 1:
      acVisible_ = true;
      peakVisible_ = false;
      TextOf(ReadoutLabel::AC_Out) = format(LiveValue::Ac);
      break;
    case 2:
      acVisible_ = false;
      peakVisible_ = true;
      TextOf(ReadoutLabel::PFmin_Out) = format(LiveValue::FastMin);
      TextOf(ReadoutLabel::PFmax_Out) = format(LiveValue::FastMax);
      TextOf(ReadoutLabel::PFabs_Out) = format(LiveValue::FastAbs);
      TextOf(ReadoutLabel::PSmin_Out) = format(LiveValue::SlowMin);
      TextOf(ReadoutLabel::PSmax_Out) = format(LiveValue::SlowMax);
      TextOf(ReadoutLabel::PSabs_Out) = format(LiveValue::SlowAbs);
      break;
    default:
      break;
  }
}

void DisplayReadout::PeakReset(ScpiSession& session) {
  session.ScpiQuery(std::string(kPeakResetLine));
}

const std::string& DisplayReadout::Text(ReadoutLabel label) const {
  return texts_[Slot(label)];
}

std::string& DisplayReadout::TextOf(ReadoutLabel label) {
  return texts_[Slot(label)];
}

bool DisplayReadout::Visible(ReadoutLabel label) const {
  switch (label) {
    case ReadoutLabel::DC_Out:
      return true;
    case ReadoutLabel::AC_Out:
      return acVisible_;
    default:
      return peakVisible_;
  }
}

std::vector<DisplayReadout::LabelText> DisplayReadout::VisibleLabels() const {
  std::vector<LabelText> labels;
  for (std::size_t i = 0; i < kReadoutLabelCount; ++i) {
    const auto label = static_cast<ReadoutLabel>(i);
    if (Visible(label)) labels.push_back({kReadoutLabelNames[i], texts_[i]});
  }
  return labels;
}

}  // namespace qel
