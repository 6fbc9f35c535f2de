// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The German-to-English table, built from the built-in dictionary text. One object per
// run, owned by the application and passed by reference; it is loaded at most once, when
// English is selected, and stays unchanged afterwards.

#include <cstddef>
#include <string_view>
#include <vector>

#include "core/lang/dictionary_line.h"

namespace qel {

class Dictionary {
 public:
  // Empties the table and fills it from the built-in text. Does not sort.
  void LoadDictionaryResource();
  // The same from any dictionary text: lines end at CR LF, a lone CR or a lone LF; every
  // line that starts with a double quote is a pair line and adds one entry, in text
  // order; every other line (marker, language name, empty lines) adds nothing.
  void LoadDictionaryText(std::string_view text);

  // Sorts ascending by Key, bytes compared as unsigned values, a prefix first. The sort is
  // stable, so of equal keys the one that came first in the text stays first. Must run
  // after every fill and before the first lookup.
  void SortDictionary();

  // Position (from 0) of the first entry whose Key equals `upperKey` exactly, or -1. The
  // key must be upper-cased already; only its first 200 characters take part.
  int FindDictionaryEntry(std::string_view upperKey) const;

  const std::vector<DictionaryEntry>& Entries() const { return entries_; }
  std::size_t Count() const { return entries_.size(); }
  bool Empty() const { return entries_.empty(); }

 private:
  std::vector<DictionaryEntry> entries_;
};

}  // namespace qel
