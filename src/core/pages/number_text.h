// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Decimal numbers as the instrument writes them and as the pages show them. Both
// directions work with "." whatever the C library's locale says (the CLI switches
// LC_NUMERIC to the user's locale, so strtod and printf are no option here); only the
// caller of FormatFixed chooses another separator (the live readout).

#include <optional>
#include <string>
#include <string_view>

namespace qel {

// The number grammar of replies and limit fields: optional blanks, an optional sign,
// digits with at most one ".", at least one digit, an optional exponent ("E" or "e", an
// optional sign, digits), optional blanks. Nothing else may follow. A value beyond the
// range of double counts as no number; one too small for it gives 0.
std::optional<double> ParseDecimal(std::string_view text);

// Fixed notation with `decimals` places after rounding to at most `precision`
// significant digits (places beyond them are written as "0"); rounding is half up on the
// decimal digits of the value. When the rounded value has more than `precision` integer
// digits, the general scientific form is written instead: the mantissa without trailing
// zeros (separator only when there are further digits), "E", the exponent without "+"
// and with at least `decimals` digits. No sign is written: callers give the magnitude and
// put the sign themselves. A value that is not finite is written as zero.
std::string FormatFixed(double magnitude, int precision, int decimals, char separator);

}  // namespace qel
