// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lang/dictionary_line.h"

#include <vector>

#include "core/text/ascii.h"

namespace qel {

DictionaryLineFields ParseDictionaryLine(std::string_view line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"') {
      if (i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else {
        quoted = !quoted;
      }
    } else if (c == ';' && !quoted) {
      if (fields.size() == 2) break;  // further fields are ignored
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  DictionaryLineFields result;
  result.German = std::move(fields[0]);
  if (fields.size() > 1) result.English = std::move(fields[1]);
  return result;
}

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

DictionaryEntry MakeDictionaryEntry(const DictionaryLineFields& fields) {
  const std::string upper = AsciiUpperCase(fields.German);
  DictionaryEntry entry;
  entry.Key = std::string(TrimBlanks(upper).substr(0, kMaxDictionaryText));
  entry.English = std::string(TrimBlanks(fields.English).substr(0, kMaxDictionaryText));
  return entry;
}

}  // namespace qel
