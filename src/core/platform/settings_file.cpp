// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/settings_file.h"

#include "core/platform/ini_file.h"
#include "core/platform/profile_values.h"

namespace qel {

MainSettings ReadMainSettings(const std::filesystem::path& path) {
  const IniFile file(path);
  const IniDocument document = file.Load();
  MainSettings settings;
  for (int r = 1; r <= kScpiLineCount; ++r) {
    settings.scpiLines[r - 1] = document.ReadString("SCPI_Demo", std::to_string(r), "");
  }
  const std::string english = document.ReadString("Language", "English", "");
  if (const auto value = ParseProfileInt(english)) settings.english = *value != 0;
  return settings;
}

void WriteMainSettings(const std::filesystem::path& path,
                       const std::array<std::string, kScpiLineCount>& scpiLines, bool english) {
  IniFile file(path);
  file.Edit([&](IniDocument& document) {
    for (int r = 1; r <= kScpiLineCount; ++r) {
      document.WriteString("SCPI_Demo", std::to_string(r), scpiLines[r - 1]);
    }
    document.WriteString("Language", "English", english ? "1" : "0");
  });
}

}  // namespace qel
