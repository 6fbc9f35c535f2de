// SPDX-License-Identifier: GPL-3.0-or-later
// Measuring mode, unit and range; the live readings and the peak memories.
#include <span>

#include "sim/command_table.h"
#include "sim/instrument.h"
#include "sim/measurement_scale.h"
#include "sim/sim_text.h"

namespace qel::sim {

namespace {

// Query and setting of one choice held in the settings.
template <std::size_t N>
void AddChoice(CommandTable& t, std::string_view pattern,
               const std::array<std::string_view, N>& list, int InstrumentSettings::*member) {
  t.Add(
      pattern,
      [&list, member](CommandContext& c) {
        return std::string(list[c.instrument.settings().*member]);
      },
      [&list, member](CommandContext& c) {
        if (auto index = c.Token(list)) c.instrument.settings().*member = *index;
      });
}

std::string Measurement(const CommandContext& c, double tesla) {
  return FormatMeasurement(c.instrument.Measured(tesla));
}

void AddPeak(CommandTable& t, std::string_view prefix, PeakMemory (ReadingModel::*peak)() const) {
  const std::string base(prefix);
  t.Add(
      base + ":READ",
      [peak](CommandContext& c) {
        return Measurement(c, (c.instrument.reading().*peak)().Absolute());
      },
      nullptr);
  t.Add(
      base + ":READ:MINimum",
      [peak](CommandContext& c) { return Measurement(c, (c.instrument.reading().*peak)().min); },
      nullptr);
  t.Add(
      base + ":READ:MAXimum",
      [peak](CommandContext& c) { return Measurement(c, (c.instrument.reading().*peak)().max); },
      nullptr);
}

}  // namespace

void AddMeasurementCommands(CommandTable& t) {
  AddChoice(t, "MODE", tokens::kMode, &InstrumentSettings::mode);
  AddChoice(t, "UNIT", tokens::kUnit, &InstrumentSettings::unit);
  AddChoice(t, "RANGe", tokens::kRange, &InstrumentSettings::range);
  // RANG:SET chooses a measuring range and leaves a service test range.
  t.Add(
      "RANGe:SET",
      [](CommandContext& c) { return std::string(tokens::kRange[c.instrument.settings().range]); },
      [](CommandContext& c) {
        if (auto index = c.Token(tokens::kRange)) {
          c.instrument.settings().range = *index;
          c.instrument.live().testStage = -1;
        }
      });

  t.Add(
      "READ:DC", [](CommandContext& c) { return FormatMeasurement(c.instrument.DcValue()); },
      nullptr);
  t.Add(
      "READ:AC", [](CommandContext& c) { return FormatMeasurement(c.instrument.AcValue()); },
      nullptr);
  AddPeak(t, "PEAK:FAST", &ReadingModel::fastPeak);
  AddPeak(t, "PEAK:SLOW", &ReadingModel::slowPeak);
  t.Add("PEAK:NULL", nullptr, [](CommandContext& c) {
    if (c.NoArguments()) c.instrument.reading().NullPeaks();
  });
}

}  // namespace qel::sim
