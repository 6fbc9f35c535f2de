// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/profile_values.h"

#include <charconv>
#include <climits>

namespace qel {

std::optional<long long> ParseProfileInt(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(" \t") - first + 1);

  bool negative = false;
  if (text.front() == '+' || text.front() == '-') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.starts_with("0x") || text.starts_with("0X")) {
    base = 16;
    text.remove_prefix(2);
  } else if (text.starts_with("$")) {
    base = 16;
    text.remove_prefix(1);
  }
  // from_chars would take a second sign; only digits may follow now.
  if (text.empty() || text.front() == '+' || text.front() == '-') return std::nullopt;

  unsigned long long magnitude = 0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  constexpr auto kMax = static_cast<unsigned long long>(LLONG_MAX);
  if (magnitude > kMax + (negative ? 1 : 0)) return std::nullopt;
  if (negative) return magnitude == kMax + 1 ? LLONG_MIN : -static_cast<long long>(magnitude);
  return static_cast<long long>(magnitude);
}

std::optional<bool> ReadProfileBool(const IniDocument& doc, std::string_view section,
                                    std::string_view key) {
  if (!doc.HasKey(section, key)) return std::nullopt;
  const auto number = ParseProfileInt(doc.ReadString(section, key, ""));
  if (!number) return std::nullopt;
  return *number != 0;
}

std::optional<bool> ReadProfileBool(const IniFile& file, std::string_view section,
                                    std::string_view key) {
  return ReadProfileBool(file.Load(), section, key);
}

}  // namespace qel
