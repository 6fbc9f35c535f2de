// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One read of the live readings: the lines of the live readout, in its order, and the
// reply fields as they came. The readout formats them for its labels; the recorder writes
// them into its rows. Both take them from here, so they send the same lines and parse the
// replies the same way.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

class ScpiSession;

// The readings of one read, in the order of the readout's value labels and of the
// recording's columns: dc, ac, fast min, fast max, fast abs, slow min, slow max, slow abs.
enum class LiveValue { Dc, Ac, FastMin, FastMax, FastAbs, SlowMin, SlowMax, SlowAbs };
inline constexpr std::size_t kLiveValueCount = 8;

struct LiveReading {
  // Positions in "DC,AC,PEAK", "0,1,2,3" and "TESL,GAUS,OE,APM"; -1 when not understood.
  int mode = -1;
  int range = -1;
  int unit = -1;
  // The reply field of each value that was read, as it came; nullopt for the values the
  // mode does not read (and all but dc when mode, range or unit is not understood).
  std::array<std::optional<std::string>, kLiveValueCount> fields;
  // Every line got an input report (an empty one counts).
  bool answered = false;
  // Whether each reply had the number of fields its line asks for: one for "mode?" and
  // ":read:dc?", two for ":rang?;unit?", three for each peak line. The readout does not
  // mind (a missing field repeats the last one present); a recording does.
  bool modeFits = true;
  bool rangeUnitFits = true;
  std::array<bool, kLiveValueCount> valueFits{};

  bool Read(LiveValue value) const { return fields[Slot(value)].has_value(); }
  // The field as a number ("." as separator); nullopt when not read or no number.
  std::optional<double> Number(LiveValue value) const;
  // As the readout takes it: a field that is no number (or was not read) is 0.
  double ValueOrZero(LiveValue value) const { return Number(value).value_or(0.0); }

  // A value that was read came with the right number of fields and is a number; one that
  // was not read fits.
  bool ValueFits(LiveValue value) const;
  // The lines of this read whose replies do not fit (wrong number of fields, a token or a
  // number not understood), in the order sent; empty when all fit.
  std::vector<std::string_view> MisfitLines() const;

  static constexpr std::size_t Slot(LiveValue value) { return static_cast<std::size_t>(value); }
};

// The lines, in this order: "mode?", ":read:dc?", ":rang?;unit?", then only when range
// and unit are understood: in AC mode ":read:ac?", in peak mode
// ":peak:fast:read?;read:min?;max?" and ":peak:slow:read?;read:min?;max?" (each reply:
// absolute;minimum;maximum).
LiveReading ReadLiveReading(ScpiSession& session);

}  // namespace qel
