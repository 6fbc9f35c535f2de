// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Model of the live readout `TQEL_Display_Frame`: the readings the instrument's own
// display shows (DC always, AC in AC mode, fast and slow peak values in peak mode), each
// as a signed four-digit style number with metric prefix and unit letters, in the user's
// decimal separator. The window shows Texts and visibility; qel11ctl prints them.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/pages/live_reading.h"

namespace qel {

class ScpiSession;

// The value labels, in their fixed order.
enum class ReadoutLabel {
  DC_Out,
  AC_Out,
  PFmin_Out,
  PFmax_Out,
  PFabs_Out,
  PSmin_Out,
  PSmax_Out,
  PSabs_Out
};
inline constexpr std::size_t kReadoutLabelCount = 8;
inline constexpr std::array<std::string_view, kReadoutLabelCount> kReadoutLabelNames = {
    "DC_Out",    "AC_Out",    "PFmin_Out", "PFmax_Out",
    "PFabs_Out", "PSmin_Out", "PSmax_Out", "PSabs_Out"};

// `Reset` ("Peak Reset") clears the instrument's peak memories with this setting line.
inline constexpr std::string_view kPeakResetLine = "peak:null";
// Shown in every value label when the range or unit reply is not understood.
inline constexpr std::string_view kNoReadingText = "-- ";
// Shown for a reading above kOverloadLimit (no unit).
inline constexpr std::string_view kOverloadText = " OVLD ";
inline constexpr double kOverloadLimit = 1E20;
// "Refresh": one read per tick; the timer is stopped during a read and started again
// afterwards only while "Refresh" is still checked, so reads never overlap.
inline constexpr int kRefreshIntervalMs = 500;

// Takes the text before the first ";" out of `buffer` (with the ";"). Without ";" the
// whole buffer is returned and left as it is, so a compound reply with fewer fields than
// asked for repeats its last field.
std::string NextReplyField(std::string& buffer);
// NextReplyField parsed with "." as separator; a field that is no number gives 0.
double ReadNumberField(std::string& buffer);

// A reading as the display shows it, e.g. "+12.500 mT " for 0.0125 in Tesla range 0:
// " OVLD " above 1E20 (before scaling; large negative values are not caught); otherwise
// the value scaled to the unit's prefix, four significant digits with the range's
// decimal places (scientific above four integer digits), zero-padded on the left to five
// characters with a separator or four without, "+" or "-" (a negative value that rounds
// to zero keeps its "-"), a blank, prefix "k" or "m", unit letters, a blank.
// `range` and `unit` are positions 0..3; outside them the text is kNoReadingText.
std::string FormatReading(double value, int range, int unit, char separator);

// The factor from the instrument's unit to the one the readout shows, and that unit with
// its prefix ("mT", "G", "kG", "kOe", "kA/m"); 1 and empty text outside positions 0..3.
double ReadingScale(int range, int unit);
std::string ReadingUnitText(int range, int unit);

class DisplayReadout {
 public:
  struct LabelText {
    std::string_view name;
    std::string text;
  };

  // One complete read for the current mode ("Lesen", the refresh timer, the service
  // tab's continuous read). Lines: "mode?", ":read:dc?", ":rang?;unit?", then in AC mode
  // ":read:ac?", in peak mode ":peak:fast:read?;read:min?;max?" and
  // ":peak:slow:read?;read:min?;max?". `separator` is the user's decimal separator.
  // Range or unit not understood: all eight labels show "-- ", visibility unchanged.
  // Mode not understood: only DC_Out is updated.
  void ReadDisplay(ScpiSession& session, char separator);
  // Takes the labels and their visibility from a read made elsewhere (ReadLiveReading),
  // exactly as ReadDisplay does from its own.
  void Show(const LiveReading& reading, char separator);
  // "Peak Reset": sends kPeakResetLine; the labels change with the next read.
  static void PeakReset(ScpiSession& session);

  // Empty until the first read.
  const std::string& Text(ReadoutLabel label) const;
  // Label3 ("AC") and AC_Out.
  bool AcControlsVisible() const { return acVisible_; }
  // The captions "Fast", "Slow" and the six "Peak ..." captions, the six peak values and
  // the `Reset` button.
  bool PeakControlsVisible() const { return peakVisible_; }
  // Whether a value label is shown; before the first read everything is.
  bool Visible(ReadoutLabel label) const;
  // The visible value labels with their texts, in the fixed order.
  std::vector<LabelText> VisibleLabels() const;

  // Positions from the last read; -1 when not understood (or not read yet).
  int Mode() const { return mode_; }
  int Range() const { return range_; }
  int Unit() const { return unit_; }

 private:
  std::string& TextOf(ReadoutLabel label);

  int mode_ = -1;
  int range_ = -1;
  int unit_ = -1;
  std::array<std::string, kReadoutLabelCount> texts_;
  bool acVisible_ = true;
  bool peakVisible_ = true;
};

}  // namespace qel
