// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small text helpers of the virtual instrument: ASCII case folding, SCPI numbers and
// SCPI string data. Texts are single-byte (Windows-1252) std::string throughout.

#include <optional>
#include <string>
#include <string_view>

namespace qel::sim {

std::string ToUpperAscii(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool IsBlank(char c);                                // blank, tab, CR, LF
std::string_view TrimBlanks(std::string_view text);  // blanks, tabs, CR, LF

// A decimal number as SCPI writes it: optional sign, digits with at most one ".", at
// least one digit, optional exponent. Blanks around it are allowed. nullopt otherwise
// (also for "inf" and "nan", which from_chars would take).
std::optional<double> ParseDecimal(std::string_view text);
// A whole number (optional sign, digits only).
std::optional<long> ParseInteger(std::string_view text);

// The shortest text that reads back as the same double, "E" for the exponent:
// 150 -> "150", 0.013 -> "0.013", 1e-05 -> "1E-05".
std::string FormatNumber(double value);
// A measured value in scientific notation with 6 significant digits: "2.53012E-02".
std::string FormatMeasurement(double value);

// SCPI string data: the text in double quotes, inner quotes doubled.
std::string QuoteString(std::string_view text);
// Reads SCPI string data in double or single quotes (a doubled quote stands for one);
// nullopt when the text is not one quoted string.
std::optional<std::string> UnquoteString(std::string_view text);

}  // namespace qel::sim
