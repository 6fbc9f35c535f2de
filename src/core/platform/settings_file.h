// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tool's settings file QEL_HID_SETUP.ini in the data folder: the 40 lines of the SCPI
// line list (section "SCPI_Demo", keys "1".."40") and the language choice (section
// "Language", key "English"). Other sections and keys in the file are left alone.

#include <array>
#include <filesystem>
#include <optional>
#include <string>

namespace qel {

inline constexpr int kScpiLineCount = 40;

struct MainSettings {
  std::array<std::string, kScpiLineCount> scpiLines;  // empty when missing
  std::optional<bool> english;                        // nullopt when missing or no number
};

// Missing file, section or key give the defaults; nothing is reported.
MainSettings ReadMainSettings(const std::filesystem::path& path);

// Writes all 40 lines and the language key in one atomic replacement of the file, so a
// refused write leaves the previous file whole. Throws IniWriteError
// ("In <path> kann nicht geschrieben werden").
void WriteMainSettings(const std::filesystem::path& path,
                       const std::array<std::string, kScpiLineCount>& scpiLines, bool english);

}  // namespace qel
