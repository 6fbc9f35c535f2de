// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/service/dot_number.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "core/pages/number_text.h"
#include "core/text/ascii.h"

namespace qel {
namespace {

constexpr int kSignificantDigits = 10;

// The number's digits d0 d1 ... and its decimal exponent: value = d0.d1d2... x 10^exponent.
struct SignedDigits {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

// `significant` digits, rounded to the nearest (at least 1).
SignedDigits ToDigits(double value, int significant) {
  // to_chars, unlike printf, ignores the C library's locale (the CLI sets LC_NUMERIC).
  char buffer[64];
  const char* const end = std::to_chars(buffer, buffer + sizeof buffer, value,
                                        std::chars_format::scientific, significant - 1)
                              .ptr;
  SignedDigits result;
  const char* p = buffer;
  if (*p == '-') {
    result.negative = true;
    ++p;
  }
  for (; p != end && *p != 'e'; ++p) {
    if (IsAsciiDigit(*p)) result.digits += *p;
  }
  if (p != end) {
    ++p;
    if (*p == '+') ++p;
    std::from_chars(p, end, result.exponent);
  }
  return result;
}

std::string Scientific(double value) {
  SignedDigits d = ToDigits(value, kSignificantDigits);
  while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
  std::string text = d.negative ? "-" : "";
  text += d.digits.front();
  if (d.digits.size() > 1) text += "." + d.digits.substr(1);
  text += d.exponent < 0 ? "E-" : "E+";
  text += std::to_string(std::abs(d.exponent));
  return text;
}

}  // namespace

double ParseDotNumber(std::string_view text) {
  // The same number grammar as the pages' limit values.
  return ParseDecimal(text).value_or(0.0);
}

std::string FormatDotFixed(double value, int decimals) {
  if (decimals < 0) decimals = 0;
  if (!std::isfinite(value)) value = 0.0;

  // First 10 significant digits, to the nearest.
  SignedDigits d = ToDigits(value, kSignificantDigits);
  if (d.exponent >= kSignificantDigits) return Scientific(value);

  // Then to `decimals` places, halves away from zero, on those decimal digits (so 1.25
  // gives 1.3 and 0.15 gives 0.2, as the digits read).
  const int kept = d.exponent + 1 + decimals;
  if (kept < kSignificantDigits) {
    if (kept < 0) {
      d.digits = "0";
    } else {
      const bool up = d.digits[static_cast<std::size_t>(kept)] >= '5';
      d.digits.resize(static_cast<std::size_t>(kept));
      if (up) {
        int i = kept - 1;
        for (; i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9'; --i) {
          d.digits[static_cast<std::size_t>(i)] = '0';
        }
        if (i >= 0) {
          ++d.digits[static_cast<std::size_t>(i)];
        } else {
          d.digits.insert(d.digits.begin(), '1');
          ++d.exponent;
        }
      }
      if (d.digits.empty()) d.digits = "0";
    }
  }

  // Lay the digits out around the point: exponent + 1 digits before it.
  std::string integerPart = "0";
  std::string fraction;
  if (d.exponent >= 0) {
    const std::size_t before = static_cast<std::size_t>(d.exponent) + 1;
    if (d.digits.size() < before) d.digits.append(before - d.digits.size(), '0');
    integerPart = d.digits.substr(0, before);
    fraction = d.digits.substr(before);
  } else {
    fraction = std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + d.digits;
  }
  fraction.resize(static_cast<std::size_t>(decimals), '0');

  const bool zero = integerPart.find_first_not_of('0') == std::string::npos &&
                    fraction.find_first_not_of('0') == std::string::npos;
  std::string text = d.negative && !zero ? "-" : "";
  text += integerPart;
  if (decimals > 0) text += "." + fraction;
  return text;
}

}  // namespace qel
