// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The start-up decision between German and English: the setting "English" in section
// "Language" of the settings file wins; without it (no file, no key, or a value that is
// no number) English is chosen exactly when the system language does not count as German.

#include <optional>
#include <string_view>

#include "core/platform/app_data_folder.h"
#include "core/platform/ini_document.h"

namespace qel {

inline constexpr std::string_view kLanguageSection = "Language";
inline constexpr std::string_view kEnglishKey = "English";

bool DecideEnglish(std::optional<bool> setting, std::string_view detectedLanguage);

// From the settings as read, and the tag DetectWindowsLanguage gave.
bool DecideEnglishAtStart(const IniDocument& settings, std::string_view detectedLanguage);

// Reads QEL_HID_SETUP.ini in the data folder that `env` points to (the file the main
// window's close writes, see settings_file.h) and detects the system language. Creates
// nothing: without the folder there is no file, and the default holds.
bool DecideEnglishAtStart(const EnvLookup& env);

}  // namespace qel
