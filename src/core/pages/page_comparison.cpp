// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pages/page_comparison.h"

#include <charconv>
#include <optional>

#include "core/pages/number_text.h"
#include "core/pages/page_helpers.h"
#include "core/pages/parameter_file.h"
#include "core/pages/parameter_pages.h"
#include "core/platform/ini_document.h"
#include "core/text/ascii.h"

namespace qel {
namespace {

// Both sides go through the pages' own SaveToIni, so each value is what the page model
// holds, written as the file writes it. What a value means follows from its key.
enum class ValueKind { Position, Limit, Octet };

ValueKind KindOf(std::string_view section, std::string_view key) {
  if (AsciiEqualsNoCase(section, "LAN")) return ValueKind::Octet;
  constexpr std::string_view kHigh = "DGIO:SET:OUT:LIMI:HIGH";
  constexpr std::string_view kLow = "DGIO:SET:OUT:LIMI:LOW";
  if (AsciiEqualsNoCase(key, kHigh) || AsciiEqualsNoCase(key, kLow)) return ValueKind::Limit;
  return ValueKind::Position;
}

std::optional<long> ParseInteger(std::string_view text) {
  long value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

// A limit as a limit field shows a number: four decimals (FormatLimitValue), so a file's
// 1.23456 and a read 1.2346 are the same limit. A text that is no number (a file may hold
// "", "+" or ".") equals only the same text.
bool SameLimit(const std::string& a, const std::string& b) {
  if (a == b) return true;
  if (!ParseDecimal(a) || !ParseDecimal(b)) return false;
  return ParseDecimal(FormatLimitValue(a)) == ParseDecimal(FormatLimitValue(b));
}

bool SameValue(ValueKind kind, const std::string& a, const std::string& b) {
  if (kind == ValueKind::Limit) return SameLimit(a, b);
  const auto x = ParseInteger(a);
  const auto y = ParseInteger(b);
  if (x && y) return *x == *y;
  return a == b;
}

}  // namespace

std::vector<SettingDifference> ComparePages(const ParameterPages& file,
                                            const ParameterPages& instrument) {
  IniDocument fileValues;
  IniDocument instrumentValues;
  file.SaveAll(fileValues);
  instrument.SaveAll(instrumentValues);
  std::vector<SettingDifference> differences;
  for (const std::string_view section : kParameterPageSections) {
    for (const std::string& key : fileValues.ReadSectionKeys(section)) {
      const std::string a = fileValues.ReadString(section, key, "");
      const std::string b = instrumentValues.ReadString(section, key, "");
      if (!SameValue(KindOf(section, key), a, b)) {
        differences.push_back({std::string(section), key, a, b});
      }
    }
  }
  return differences;
}

}  // namespace qel
