// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Decimal numbers as the instrument writes and reads them: "." as the decimal separator
// whatever the user's locale. The service windows read replies and write values with
// these; only the shown probe current uses the user's separator.

#include <string>
#include <string_view>

namespace qel {

// Reads optional blanks, an optional sign, digits with at most one "." (at least one
// digit), an optional exponent ("E" or "e", optional sign, digits) and optional blanks.
// Anything else, the empty text and numbers beyond the range of double give 0.
double ParseDotNumber(std::string_view text);

// Fixed-point text with "." and exactly `decimals` digits after it: the value is first
// brought to 10 significant digits (to the nearest), then padded with zeros. A leading
// "-" for negative values (not for a value that rounds to zero), at least one digit
// before the point. A value of 10^10 or more in magnitude is written as mantissa (up to
// 10 significant digits, no trailing zeros), "E", sign and exponent: 1.5E+10.
std::string FormatDotFixed(double value, int decimals);

}  // namespace qel
