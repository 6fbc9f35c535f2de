// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lang/dictionary.h"

#include <algorithm>

#include "core/lang/dictionary_resource.h"

namespace qel {
namespace {

// Byte order with unsigned values, so umlauts (0xC0 and up) sort after the ASCII letters
// whatever the signedness of char.
bool KeyLess(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  });
}

}  // namespace

void Dictionary::LoadDictionaryResource() {
  LoadDictionaryText(DictionaryResourceText());
}

void Dictionary::LoadDictionaryText(std::string_view text) {
  entries_.clear();
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.front() == '"') {
      entries_.push_back(MakeDictionaryEntry(ParseDictionaryLine(line)));
    }
    if (end == text.size()) break;
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
}

void Dictionary::SortDictionary() {
  std::stable_sort(
      entries_.begin(), entries_.end(),
      [](const DictionaryEntry& a, const DictionaryEntry& b) { return KeyLess(a.Key, b.Key); });
}

int Dictionary::FindDictionaryEntry(std::string_view upperKey) const {
  const std::string_view key = upperKey.substr(0, kMaxDictionaryText);
  const auto it = std::lower_bound(
      entries_.begin(), entries_.end(), key,
      [](const DictionaryEntry& entry, std::string_view k) { return KeyLess(entry.Key, k); });
  if (it == entries_.end() || it->Key != key) return -1;
  return static_cast<int>(it - entries_.begin());
}

}  // namespace qel
