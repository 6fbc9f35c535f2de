// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lang/windows_language.h"

#include <array>

#include "core/text/ascii.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace qel {
namespace {

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsTwoLetters(std::string_view text) {
  return text.size() == 2 && IsAsciiLetter(text[0]) && IsAsciiLetter(text[1]);
}

}  // namespace

std::string LanguageTagFromWindowsLocale(const WindowsLocaleInfo& info) {
  if (info.language && info.country) {
    std::string language = *info.language;
    if (AsciiEqualsNoCase(language, "no")) language = "nb";
    return language + "_" + *info.country;
  }
  return IsGermanLocaleId(info.threadLocale) ? "DE" : "NON_DE";
}

bool IsGermanLocaleId(std::uint32_t localeId) {
  constexpr std::array<std::uint32_t, 5> kGerman = {0x0407, 0x0807, 0x0C07, 0x1007, 0x1407};
  for (const std::uint32_t id : kGerman) {
    if (id == localeId) return true;
  }
  return false;
}

std::string LanguageTagFromPosixLocale(std::string_view value) {
  // language[_territory][.codeset][@modifier]
  const std::string_view name = value.substr(0, value.find_first_of(".@"));
  const std::size_t underscore = name.find('_');
  const std::string_view language = name.substr(0, underscore);
  WindowsLocaleInfo info;
  if (IsTwoLetters(language)) {
    info.language = std::string(language);
    if (underscore != std::string_view::npos && IsTwoLetters(name.substr(underscore + 1))) {
      info.country = std::string(name.substr(underscore + 1));
    }
  }
  // Without a full tag only the language decides, as the thread locale does on Windows.
  if (AsciiEqualsNoCase(language, "de")) info.threadLocale = 0x0407;
  return LanguageTagFromWindowsLocale(info);
}

bool LanguageCountsAsGerman(std::string_view tag) {
  const std::string upper = AsciiUpperCase(tag);
  return upper.find("DE") != std::string::npos && upper != "NON_DE";
}

#ifdef _WIN32

std::string DetectWindowsLanguage(const EnvLookup&) {
  // Success is exactly two letters and the terminating zero (return value 3).
  auto isoName = [](LCTYPE item) -> std::optional<std::string> {
    char buffer[5] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, item, buffer, sizeof buffer) != 3) {
      return std::nullopt;
    }
    return std::string(buffer);
  };
  WindowsLocaleInfo info;
  info.language = isoName(LOCALE_SISO639LANGNAME);
  if (info.language) info.country = isoName(LOCALE_SISO3166CTRYNAME);
  if (!info.language || !info.country) info.threadLocale = GetThreadLocale();
  return LanguageTagFromWindowsLocale(info);
}

#else

std::string DetectWindowsLanguage(const EnvLookup& env) {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const std::optional<std::string> value = env(name);
    if (value && !value->empty()) return LanguageTagFromPosixLocale(*value);
  }
  return LanguageTagFromPosixLocale("");
}

#endif

std::string DetectWindowsLanguage() {
  return DetectWindowsLanguage(ProcessEnv);
}

}  // namespace qel
