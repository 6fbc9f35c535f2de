// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Units, ranges and overload of the instrument, and how its front display writes a value.

#include <string>

namespace qel::sim {

// SCPI answers carry 9.9E37 for a reading beyond the range (anything above 1E20 is read
// as overload).
inline constexpr double kOverloadValue = 9.9e37;

// A value in tesla converted into the unit of UNIT (T, G, Oe or A/m; in air 1 G = 1 Oe).
double TeslaToUnit(double tesla, int unit);

// Largest magnitude, in tesla, that a range measures before it shows overload. Ranges
// 0..2 (10, 100, 1000 mT) read up to twice their name; range 3 up to 10 T (DC, peak) or
// 7 T (AC).
double RangeLimitTesla(int mode, int range);
// Full scale of the internal gain stages B0..B7 selected by INTE:RANG (10 T ... 15 mT).
double TestStageLimitTesla(int stage);
// Nominal amplification of stage B0..B7: 1, 2, 4, ... 128.
double TestStageGain(int stage);
// Item text of a test stage as the service menu names it, e.g. " 300 mT B3".
std::string TestStageName(int stage);

// What the front display shows for a value in the unit of UNIT: 4 significant digits,
// decimal places and prefix by unit and range, sign always, " OVLD " for overload.
// Returns the number part ("+25.30") and sets `unitText` ("mT", "kG", "Oe", "kA/m").
std::string DisplayNumber(double unitValue, int unit, int range, std::string& unitText);

}  // namespace qel::sim
