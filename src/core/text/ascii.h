// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Case folding of the ASCII letters only. System texts are Windows-1252 bytes; bytes
// 0x80..0xFF (umlauts among them) are never folded and compare by their byte value, so
// results do not depend on the user's locale.

#include <string>
#include <string_view>

namespace qel {

inline constexpr bool IsAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}
char AsciiToUpper(char c);
char AsciiToLower(char c);
std::string AsciiUpperCase(std::string_view text);
std::string AsciiLowerCase(std::string_view text);
bool AsciiEqualsNoCase(std::string_view a, std::string_view b);
// <0, 0, >0 like strcmp, comparing folded bytes as unsigned values.
int AsciiCompareNoCase(std::string_view a, std::string_view b);

}  // namespace qel
