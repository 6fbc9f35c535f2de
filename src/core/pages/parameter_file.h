// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parameter file (*.QEL): every page setting as INI text (Windows-1252, CRLF) in the
// sections Info, Mode, Output1..4, Input1..3, KEYSTOP, KEYSBOT, LAN, Seri, in this order.
// Saving takes the pages as they stand; opening fills them and sends nothing.

#include <array>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/platform/ini_document.h"

namespace qel {

class ParameterPages;

inline constexpr std::string_view kParameterFileDevice = "KORVAL QEL11";
// Dialog filters as "description|pattern|description|pattern".
inline constexpr std::string_view kOpenParameterFilter = "QEL Parameter|*.QEL|Alle Dateien|*.*";
inline constexpr std::string_view kSaveParameterFilter = "QEL|*.QEL|Alle Dateien|*.*";
// The open dialog's preset file name.
inline constexpr std::string_view kOpenParameterFileName = "QEL11_Setup_Parameter_*.QEL";

// The save dialog's proposed name: "QEL11_Setup_Parameter_" + "yyyymmdd_hhnn" + ".QEL",
// e.g. QEL11_Setup_Parameter_20210618_1405.QEL.
std::string ProposedParameterFileName(const std::tm& t);

// The "Info" section's texts besides the constant device name.
struct ParameterFileInfo {
  std::string savedAt;       // "Save at": local date and time in the user's formats
  std::string computerName;  // "on PC": empty when the system does not tell it
};

// The date and time as the C library's current LC_TIME locale writes them ("%x %X"); the
// window program passes its own locale's text instead. Nothing reads it back.
std::string FormatSaveAtText(const std::tm& localTime);
// Now, in local time, and this computer's name.
ParameterFileInfo CurrentParameterFileInfo();

// The whole file: "Info" (Device, Save at, on PC), then every page's section.
IniDocument BuildParameterFile(const ParameterPages& pages, const ParameterFileInfo& info);

// The sections the pages write, in page order (the file's "Info" is not among them).
inline constexpr std::array<std::string_view, 12> kParameterPageSections = {
    "Mode",   "Output1", "Output2", "Output3", "Output4", "Input1",
    "Input2", "Input3",  "KEYSTOP", "KEYSBOT", "LAN",     "Seri"};

// Replaces the file at `path` with BuildParameterFile in one atomic write, so the file
// holds exactly the thirteen sections (never a merge with an older file), and a refused
// write leaves the previous file as it was. Throws IniWriteError ("In <path> kann nicht
// geschrieben werden").
void SaveParameterFile(const std::filesystem::path& path, const ParameterPages& pages,
                       const ParameterFileInfo& info);

// Loads every page from the file in page order, as the window's "Parameter öffnen" does:
// a missing or unreadable file, or one of another kind, loads every page's defaults; the
// "Info" section is not read.
void LoadParameterFile(const std::filesystem::path& path, ParameterPages& pages);

enum class ParameterFileLoad {
  kLoaded,
  kMissing,           // no such file
  kFolder,            // a folder of that name
  kUnreadable,        // there, but it cannot be read (permission, a pipe or device, ...)
  kNotParameterFile,  // read, but none of the pages' sections is in it
};

// For a file that goes straight into an instrument: loads the pages only from a readable
// file that holds at least one of kParameterPageSections (then like LoadParameterFile);
// otherwise the pages stay as they were and the outcome says why.
ParameterFileLoad LoadParameterFileStrictly(const std::filesystem::path& path,
                                            ParameterPages& pages);

}  // namespace qel
