// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system's user-interface language, as a tag the German test can judge:
//   "ll_CC"   two-letter ISO 639 language code, "_", two-letter ISO 3166 country code
//             (German in Germany: "de_DE"); "no" as language becomes "nb"
//   "DE"      no such tag to be had, but the locale is German
//   "NON_DE"  no such tag to be had, and the locale is something else
//
// Windows asks the user default locale for its ISO names and falls back to the thread
// locale. Elsewhere the first non-empty of LC_ALL, LC_MESSAGES and LANG is read the same
// way: "de_AT.UTF-8" and "de_AT@euro" give "de_AT"; a value without a two-letter language
// and country ("de", "C", "POSIX", "C.UTF-8", "nds_DE", nothing set) falls back to its
// language alone: German gives "DE", anything else "NON_DE".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/platform/app_data_folder.h"

namespace qel {

// What the Windows locale calls reported: each ISO name when its call succeeded (returned
// two letters), nullopt when it failed; the thread locale identifier.
struct WindowsLocaleInfo {
  std::optional<std::string> language;
  std::optional<std::string> country;
  std::uint32_t threadLocale = 0;
};

// The tag for these answers. The country only counts when the language call succeeded.
std::string LanguageTagFromWindowsLocale(const WindowsLocaleInfo& info);

// The thread-locale fallback: German as used in Germany, Switzerland, Austria, Luxembourg
// and Liechtenstein (0x0407, 0x0807, 0x0C07, 0x1007, 0x1407).
bool IsGermanLocaleId(std::uint32_t localeId);

// The tag for a POSIX locale value such as "de_AT.UTF-8".
std::string LanguageTagFromPosixLocale(std::string_view value);

// Windows: the locale calls (the environment is not used). Elsewhere: LC_ALL, LC_MESSAGES,
// LANG from `env`, first non-empty.
std::string DetectWindowsLanguage(const EnvLookup& env);
std::string DetectWindowsLanguage();

// The German test: the tag, upper-cased, contains "DE" and is not "NON_DE". For a full tag
// this means German in any country, or any language in Germany.
bool LanguageCountsAsGerman(std::string_view tag);

}  // namespace qel
