// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lang/translate_text.h"

#include <algorithm>

#include "core/text/ascii.h"

namespace qel {

bool ContainsLetter(std::string_view text) {
  const std::string_view head = text.substr(0, kMaxDictionaryText);
  return std::any_of(head.begin(), head.end(), [](char ch) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case 0xC4:  // Ä
      case 0xD6:  // Ö
      case 0xDC:  // Ü
      case 0xE4:  // ä
      case 0xF6:  // ö
      case 0xFC:  // ü
        return true;
      default:
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    }
  });
}

std::string TranslateText(const Dictionary& dictionary, std::string_view text) {
  if (text.size() < 2 || !ContainsLetter(text)) return std::string(text);

  // A text with a letter is never all blanks and colons, so the core is not empty.
  const std::size_t coreStart = text.find_first_not_of(' ');
  const std::size_t coreEnd = text.find_last_not_of(" :") + 1;
  const std::string_view lead = text.substr(0, coreStart);
  const std::string_view core = text.substr(coreStart, coreEnd - coreStart);
  const std::string_view trail = text.substr(coreEnd);

  std::string key = AsciiUpperCase(core);
  std::erase(key, '&');
  if (key.size() > kMaxDictionaryText) key.resize(kMaxDictionaryText);

  const int position = dictionary.FindDictionaryEntry(key);
  if (position < 0) return std::string(text);
  const std::string& english = dictionary.Entries()[static_cast<std::size_t>(position)].English;
  if (english.empty()) return std::string(text);

  std::string result;
  result.reserve(lead.size() + english.size() + trail.size());
  result.append(lead).append(english).append(trail);
  return result;
}

std::string TranslateIfActive(const Dictionary& dictionary, const LanguageState& state,
                              std::string_view text) {
  if (!state.TranslationActive || text.empty()) return std::string(text);
  return TranslateText(dictionary, text);
}

bool ActivateTranslation(Dictionary& dictionary, LanguageState& state) {
  if (!state.EnglishSelected) return state.TranslationActive;
  dictionary.LoadDictionaryResource();
  dictionary.SortDictionary();
  state.TranslationActive = true;
  return true;
}

}  // namespace qel
