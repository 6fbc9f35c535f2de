// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lang/language_choice.h"

#include <string>

#include "core/lang/windows_language.h"
#include "core/platform/ini_file.h"
#include "core/platform/native_path.h"
#include "core/platform/profile_values.h"

namespace qel {

bool DecideEnglish(std::optional<bool> setting, std::string_view detectedLanguage) {
  return setting.value_or(!LanguageCountsAsGerman(detectedLanguage));
}

bool DecideEnglishAtStart(const IniDocument& settings, std::string_view detectedLanguage) {
  return DecideEnglish(ReadProfileBool(settings, kLanguageSection, kEnglishKey), detectedLanguage);
}

bool DecideEnglishAtStart(const EnvLookup& env) {
  const IniFile settings(PathFromUtf8(SettingsFilePath(AppDataFolderPath(env))));
  return DecideEnglishAtStart(settings.Load(), DetectWindowsLanguage(env));
}

}  // namespace qel
