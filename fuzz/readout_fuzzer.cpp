// SPDX-License-Identifier: GPL-3.0-or-later
// Replies to the live readout: the input's lines are the instrument's input reports in turn
// (the bytes after the report ID; NULs, missing fields and extra ";" included). Two reads
// run, with "," and with "." as the user's separator. Properties:
//  - each read sends exactly "mode?", ":read:dc?", ":rang?;unit?" and then the AC line or
//    the two peak lines the understood mode asks for, nothing else;
//  - every visible label shows "-- ", " OVLD " or a reading: a sign, the magnitude with
//    the user's separator, a blank, prefix and unit letters, a blank; the magnitude is the
//    reply's value scaled to the unit within the rounding of four significant digits.

#include <cmath>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "core/pages/display_readout.h"
#include "core/pages/number_text.h"
#include "fuzz_check.h"
#include "recording_instrument.h"

namespace {

using qel::DisplayReadout;

constexpr std::string_view kUnitText[4][4] = {{" mT ", " mT ", " mT ", " mT "},
                                              {" G ", " G ", " kG ", " kG "},
                                              {" Oe ", " Oe ", " kOe ", " kOe "},
                                              {" kA/m ", " kA/m ", " kA/m ", " kA/m "}};
constexpr double kScale[4][4] = {{1000, 1000, 1000, 1000},
                                 {1, 1, 0.001, 0.001},
                                 {1, 1, 0.001, 0.001},
                                 {0.001, 0.001, 0.001, 0.001}};

// The magnitude shown, with "." for the separator; empty when the text is no reading.
std::string ShownMagnitude(const std::string& text, int range, int unit, char separator) {
  const std::string_view suffix = kUnitText[unit][range];
  if (text.size() < suffix.size() + 2 || !text.ends_with(suffix)) return {};
  if (text.front() != '+' && text.front() != '-') return {};
  std::string number = text.substr(1, text.size() - 1 - suffix.size());
  for (char& c : number) {
    if (c == separator) {
      c = '.';
    } else if (c == '.' || !((c >= '0' && c <= '9') || c == 'E')) {
      return {};
    }
  }
  return number;
}

void CheckReading(const std::string& text, double value, int range, int unit, char separator) {
  if (text == qel::kOverloadText) {
    FUZZ_CHECK(value > qel::kOverloadLimit, "OVLD for " + std::to_string(value));
    return;
  }
  const std::string number = ShownMagnitude(text, range, unit, separator);
  const auto shown = qel::ParseDecimal(number);
  FUZZ_CHECK(shown.has_value(), "no reading: " + text);
  const double scaled = value * kScale[unit][range];
  if (!std::isfinite(scaled)) return;
  FUZZ_CHECK(text.front() == (scaled >= 0 ? '+' : '-'), text);
  const auto point = number.find('.');
  const int places = point == std::string::npos || number.find('E') != std::string::npos
                         ? 0
                         : static_cast<int>(number.size() - point - 1);
  const double tolerance = 0.51 * std::pow(10.0, -places) + 5.1e-4 * std::fabs(scaled);
  FUZZ_CHECK(std::fabs(*shown - std::fabs(scaled)) <= tolerance,
             text + " for " + std::to_string(value));
}

void CheckRead(const std::deque<std::string>& replies, char separator) {
  qel::fuzz::RecordingInstrument instrument(replies);
  DisplayReadout readout;
  readout.ReadDisplay(instrument.Session(), separator);

  std::vector<std::string> expected = {"mode?", ":read:dc?", ":rang?;unit?"};
  const bool understood = readout.Range() >= 0 && readout.Unit() >= 0;
  if (understood && readout.Mode() == 1) expected.push_back(":read:ac?");
  if (understood && readout.Mode() == 2) {
    expected.push_back(":peak:fast:read?;read:min?;max?");
    expected.push_back(":peak:slow:read?;read:min?;max?");
  }
  FUZZ_CHECK(instrument.Lines() == expected, "the readout sent other lines");

  for (const auto& label : readout.VisibleLabels()) {
    if (!understood) {
      FUZZ_CHECK(label.text == qel::kNoReadingText, label.text);
    } else if (!label.text.empty()) {
      FUZZ_CHECK(ShownMagnitude(label.text, readout.Range(), readout.Unit(), separator) != "" ||
                     label.text == qel::kOverloadText,
                 "label " + std::string(label.name) + ": " + label.text);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::deque<std::string> replies;
  for (std::size_t start = 0; start <= bytes.size();) {
    const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
    replies.emplace_back(bytes.substr(start, end - start));
    start = end + 1;
  }
  CheckRead(replies, ',');
  CheckRead(replies, '.');

  // Each reply's first field as a reading in every range and unit.
  for (std::string reply : replies) {
    reply = reply.substr(0, reply.find('\0'));
    const double value = qel::ReadNumberField(reply);
    for (int unit = 0; unit < 4; ++unit) {
      for (int range = 0; range < 4; ++range) {
        for (const char separator : {',', '.'}) {
          CheckReading(qel::FormatReading(value, range, unit, separator), value, range, unit,
                       separator);
        }
      }
    }
  }
  return 0;
}
