// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Translation of one window text through the dictionary.

#include <string>
#include <string_view>

#include "core/lang/dictionary.h"
#include "core/lang/language_state.h"

namespace qel {

// True when one of the first 200 characters is A..Z, a..z or (Windows-1252) Ä, Ö, Ü,
// ä, ö, ü. ß and every other character do not count.
bool ContainsLetter(std::string_view text);

// The English text for a German window text, or the text unchanged when there is nothing
// to translate. Never fails.
//   - Texts under 2 characters and texts without a letter are not looked up ("10", "-").
//   - Leading blanks (Lead) and a trailing run of blanks and colons in any mix (Trail)
//     are kept exactly as they stand around the English text; a colon at the start
//     belongs to the looked-up core.
//   - The key is the core upper-cased (ASCII letters only, so umlaut case matters) with
//     every "&" removed: "&Lesen" gives "Read", without an accelerator mark.
//   - An entry with an empty English text counts as not found.
std::string TranslateText(const Dictionary& dictionary, std::string_view text);

// TranslateText when translation is active and the text is not empty, else the text
// unchanged. The entry point for texts built at run time.
std::string TranslateIfActive(const Dictionary& dictionary, const LanguageState& state,
                              std::string_view text);

// The start-up step of the language window: with English selected, load and sort the
// built-in dictionary and set TranslationActive; with German selected do nothing. Returns
// TranslationActive, i.e. whether the windows are to be translated now.
bool ActivateTranslation(Dictionary& dictionary, LanguageState& state);

}  // namespace qel
