// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pages/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

#include "core/text/ascii.h"

namespace qel {
namespace {

// value = 0.d1d2d3... x 10^exponent; no leading or trailing zero digits; zero has none.
struct DecimalDigits {
  std::string digits;
  int exponent = 0;
};

// 18 significant digits, as many as the extended type of the original tool carried, so
// that half-way cases such as 2.675 (binary 2.67499999...) round the same way.
DecimalDigits ToDecimalDigits(double magnitude) {
  DecimalDigits d;
  if (!std::isfinite(magnitude) || magnitude == 0) return d;
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(magnitude),
                                    std::chars_format::scientific, 17);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  // "d.ddddde[+-]xx"
  const auto e = text.find('e');
  for (char c : text.substr(0, e)) {
    if (IsAsciiDigit(c)) d.digits += c;
  }
  int exp10 = 0;
  std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(),
                  exp10);
  d.exponent = exp10 + 1;
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  return d;
}

// Keeps at most `count` significant digits, rounding half up.
void RoundDigits(DecimalDigits& d, int count) {
  if (count < 0) {
    d = {};
    return;
  }
  if (d.digits.size() <= static_cast<std::size_t>(count)) return;
  const bool up = d.digits[static_cast<std::size_t>(count)] >= '5';
  d.digits.resize(static_cast<std::size_t>(count));
  if (up) {
    int i = count - 1;
    while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') {
      d.digits[static_cast<std::size_t>(i)] = '0';
      --i;
    }
    if (i < 0) {
      d.digits.insert(d.digits.begin(), '1');
      ++d.exponent;
    } else {
      ++d.digits[static_cast<std::size_t>(i)];
    }
  }
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  if (d.digits.empty()) d.exponent = 0;
}

char DigitAt(const DecimalDigits& d, int position) {
  if (position < 0 || position >= static_cast<int>(d.digits.size())) return '0';
  return d.digits[static_cast<std::size_t>(position)];
}

}  // namespace

std::optional<double> ParseDecimal(std::string_view text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t mantissaStart = i;
  int digits = 0;
  int points = 0;
  int integerDigits = 0;
  int firstSignificant = -1;  // index among the mantissa digits
  for (; i < n && (IsAsciiDigit(text[i]) || text[i] == '.'); ++i) {
    if (text[i] == '.') {
      ++points;
      continue;
    }
    if (firstSignificant < 0 && text[i] != '0') firstSignificant = digits;
    ++digits;
    if (points == 0) ++integerDigits;
  }
  if (digits == 0 || points > 1) return std::nullopt;
  long exponent = 0;
  if (i < n && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    bool negativeExponent = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
    const std::size_t exponentStart = i;
    for (; i < n && IsAsciiDigit(text[i]); ++i) {
      exponent = std::min(exponent * 10 + (text[i] - '0'), 1'000'000L);
    }
    if (i == exponentStart) return std::nullopt;
    if (negativeExponent) exponent = -exponent;
  }
  const std::size_t numberEnd = i;
  while (i < n && text[i] == ' ') ++i;
  if (i != n) return std::nullopt;

  // from_chars takes no leading "+"; the sign is applied afterwards.
  double value = 0;
  const char* first = text.data() + mantissaStart;
  const char* last = text.data() + numberEnd;
  const auto result = std::from_chars(first, last, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // value = 0.d... x 10^magnitude; only a positive magnitude can overflow
    const long magnitude = integerDigits - firstSignificant + exponent;
    if (firstSignificant >= 0 && magnitude > 0) return std::nullopt;
    value = 0;
  } else if (result.ec != std::errc() || result.ptr != last) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

std::string FormatFixed(double magnitude, int precision, int decimals, char separator) {
  DecimalDigits d = ToDecimalDigits(magnitude);
  RoundDigits(d, std::min(precision, d.exponent + decimals));
  std::string text;
  if (d.exponent > precision) {
    text += d.digits.front();
    if (d.digits.size() > 1) {
      text += separator;
      text.append(d.digits, 1);
    }
    text += 'E';
    const int exp10 = d.exponent - 1;
    if (exp10 < 0) text += '-';
    const std::string expDigits = std::to_string(std::abs(exp10));
    if (static_cast<int>(expDigits.size()) < decimals) {
      text.append(static_cast<std::size_t>(decimals) - expDigits.size(), '0');
    }
    return text + expDigits;
  }
  if (d.exponent <= 0) {
    text = "0";
  } else {
    for (int i = 0; i < d.exponent; ++i) text += DigitAt(d, i);
  }
  if (decimals > 0) {
    text += separator;
    for (int i = 0; i < decimals; ++i) text += DigitAt(d, d.exponent + i);
  }
  return text;
}

}  // namespace qel
