// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One pair line of the dictionary text and the table row made from it.
//
//   "German text";"English text"
//
// Fields are separated by ";". A single double quote opens or closes a quoted run and is
// not part of the text; inside a run every character, ";" included, is text. Two double
// quotes in a row stand for one literal double quote, inside or outside a run. Characters
// outside runs belong to the field as well (the "DC Gleichfeld" line has a blank after
// its closing quote). The end of the line ends the field even inside a run, so a line
// whose closing quote is missing still gives its text. Only the first two fields count;
// a missing second field is an empty English text.

#include <cstddef>
#include <string>
#include <string_view>

namespace qel {

// Longest key and English text a table row holds; longer text is cut.
inline constexpr std::size_t kMaxDictionaryText = 200;

struct DictionaryLineFields {
  std::string German;
  std::string English;
};

DictionaryLineFields ParseDictionaryLine(std::string_view line);

struct DictionaryEntry {
  // German text upper-cased (ASCII letters only; umlauts and ß keep their case), blanks
  // around it removed, cut to 200 characters. An "&" stays in the key.
  std::string Key;
  // Blanks around it removed, cut to 200 characters.
  std::string English;

  bool operator==(const DictionaryEntry&) const = default;
};

DictionaryEntry MakeDictionaryEntry(const DictionaryLineFields& fields);

// Removes leading and trailing blanks (the space character only; tabs stay).
std::string_view TrimBlanks(std::string_view text);

}  // namespace qel
