// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An INI (profile) file on disk with the Windows profile-file semantics of `IniDocument`.
// Like GetPrivateProfileString/WritePrivateProfileString, every call opens the file by
// path: a read loads the current file, a write loads it, changes it and writes it back, so
// there is no flush or close step that could lose data. Unlike them, every write replaces
// the file atomically (see atomic_file.h): a failed write leaves the previous file as it
// was. `Edit` groups many changes into one load and one write, for files of many keys.

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/platform/ini_document.h"

namespace qel {

// A refused write: the folder is missing or not writable, the path is a folder, the disk
// is full, the file exists but cannot be read (writing would lose its other keys), ...
// what() is "In <path> kann nicht geschrieben werden", the path in the file system's own
// bytes (UTF-8 on Windows, as qel11ctl prints it); a window or console that shows it builds the
// text from Path() in its own encoding (WriteErrorText).
class IniWriteError : public std::runtime_error {
 public:
  explicit IniWriteError(const std::filesystem::path& path);
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// "In <path> kann nicht geschrieben werden": the one place the text is built, the path
// as the caller shows it (the window program: native separators).
std::string RefusedWriteText(std::string_view shownPath);
// The same with the path's own bytes (Windows: UTF-8).
std::string WriteErrorText(const std::filesystem::path& path);

class IniFile {
 public:
  explicit IniFile(std::filesystem::path path) : path_(std::move(path)) {}
  const std::filesystem::path& Path() const { return path_; }

  // The file as it is now; empty when it is missing or cannot be read, so reads give
  // their defaults and nothing is reported.
  IniDocument Load() const;

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  std::vector<std::string> ReadSectionNames() const;
  std::vector<std::string> ReadSectionKeys(std::string_view section) const;

  // Each throws IniWriteError when the file cannot be written, and std::invalid_argument
  // for names IniDocument::WriteString rejects (the file is then not touched).
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteStrings(std::string_view section,
                    const std::vector<std::pair<std::string, std::string>>& keyValues);
  // Loads the file, lets `change` edit it and writes the result once. Nothing is written
  // when `change` throws.
  void Edit(const std::function<void(IniDocument&)>& change);

 private:
  std::filesystem::path path_;
};

}  // namespace qel
