// SPDX-License-Identifier: GPL-3.0-or-later
// Dictionary text: marker, language name and "German";"English" pair lines. Properties:
//  - a pair line's two fields without their double quotes (two in a row always stand for
//    a literal one, so not every text can be written quoted), written as a quoted pair
//    line, read back the same;
//  - keys and English texts are at most 200 characters, trimmed (before that cut), keys
//    without lower-case ASCII letters;
//  - after sorting, looking up each key finds the first entry with that key.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/lang/dictionary.h"
#include "core/lang/dictionary_line.h"
#include "fuzz_check.h"

namespace {

std::string WithoutQuotes(std::string field) {
  std::erase(field, '"');
  return field;
}

// An empty field is written as nothing: "" would be a literal quote.
std::string Quoted(const std::string& field) {
  return field.empty() ? field : "\"" + field + "\"";
}

// Blanks removed before the cut to 200 characters, so only a cut text may end in one.
bool Trimmed(const std::string& text) {
  return text.empty() ||
         (text.front() != ' ' && (text.back() != ' ' || text.size() == qel::kMaxDictionaryText));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const qel::DictionaryLineFields parsed = qel::ParseDictionaryLine(text);
  const std::string german = WithoutQuotes(parsed.German);
  const std::string english = WithoutQuotes(parsed.English);
  const qel::DictionaryLineFields again =
      qel::ParseDictionaryLine(Quoted(german) + ";" + Quoted(english));
  FUZZ_CHECK(again.German == german && again.English == english,
             "a quoted pair line reads back differently");

  qel::Dictionary dictionary;
  dictionary.LoadDictionaryText(text);
  dictionary.SortDictionary();
  const auto& entries = dictionary.Entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const qel::DictionaryEntry& entry = entries[i];
    FUZZ_CHECK(entry.Key.size() <= qel::kMaxDictionaryText &&
                   entry.English.size() <= qel::kMaxDictionaryText,
               "an entry is too long");
    FUZZ_CHECK(entry.Key.find_first_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos,
               entry.Key);
    FUZZ_CHECK(Trimmed(entry.Key) && Trimmed(entry.English), "an entry keeps blanks around it");
    const int found = dictionary.FindDictionaryEntry(entry.Key);
    FUZZ_CHECK(found >= 0 && static_cast<std::size_t>(found) <= i &&
                   entries[static_cast<std::size_t>(found)].Key == entry.Key &&
                   (found == 0 || entries[static_cast<std::size_t>(found) - 1].Key != entry.Key),
               "lookup misses the first entry of " + entry.Key);
  }
  return 0;
}
