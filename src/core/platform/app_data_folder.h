// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The per-machine data folder shared by all users, where the settings file
// QEL_HID_SETUP.ini and the internal-settings backups live.
//
// Base, the first non-empty of (an empty variable counts as unset):
//   Windows:    %ProgramData%, %ALLUSERSPROFILE%, "C:"
//   elsewhere:  $ProgramData, $ALLUSERSPROFILE (so tests and odd setups can steer it),
//               $XDG_DATA_HOME (only when absolute, as the XDG rules demand),
//               $HOME/.local/share, then "" — the file-system root, as "C:" is the root
//               of the system drive
// Folder: base + "/KORVAL/QELConfigTool" ("\KORVAL\QELConfigTool" on Windows), no
// trailing separator.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qel {

// Value of an environment variable, nullopt when unset.
using EnvLookup = std::function<std::optional<std::string>(const char* name)>;

// The process environment.
std::optional<std::string> ProcessEnv(const char* name);

// The folder path for these variables; pure, creates nothing.
std::string AppDataFolderPath(const EnvLookup& env);

// Looks the folder up and creates it with every missing parent when needed, at every
// call. Empty text when it neither exists nor can be created.
std::string GetAppDataFolder(const EnvLookup& env);
std::string GetAppDataFolder();

// The folder that the files of the data folder (settings, internal-settings backups) go
// to, looked up (and created) anew at every call: GetAppDataFolder when it exists or could
// be created. Without one, Windows keeps the empty text (the files then land at the root
// of the current drive); elsewhere it is the folder that could not be created, so a write
// there is refused with the usual write error naming that path, and nothing ever lands
// in "/".
std::string DataFolderForFiles(const EnvLookup& env);
std::string DataFolderForFiles();

// folder + separator + fileName. An empty folder gives a path in the root folder
// ("\QEL_HID_SETUP.ini", the root of the current drive, on Windows); use
// DataFolderForFiles for the folder.
std::string PathInFolder(const std::string& folder, std::string_view fileName);

inline constexpr std::string_view kSettingsFileName = "QEL_HID_SETUP.ini";
std::string SettingsFilePath(const std::string& folder);

}  // namespace qel
