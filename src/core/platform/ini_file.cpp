// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/ini_file.h"

#include "core/platform/atomic_file.h"
#include "core/platform/native_path.h"

namespace qel {

std::string RefusedWriteText(std::string_view shownPath) {
  return "In " + std::string(shownPath) + " kann nicht geschrieben werden";
}

std::string WriteErrorText(const std::filesystem::path& path) {
  return RefusedWriteText(PathToUtf8(path));
}

IniWriteError::IniWriteError(const std::filesystem::path& path)
    : std::runtime_error(WriteErrorText(path)), path_(path) {}

IniDocument IniFile::Load() const {
  std::string bytes;
  if (ReadFileBytes(path_, bytes) != FileReadStatus::kRead) return {};
  return IniDocument::Parse(bytes);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
  return Load().ReadString(section, key, defaultValue);
}

std::vector<std::string> IniFile::ReadSectionNames() const {
  return Load().ReadSectionNames();
}

std::vector<std::string> IniFile::ReadSectionKeys(std::string_view section) const {
  return Load().ReadSectionKeys(section);
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  Edit([&](IniDocument& doc) { doc.WriteString(section, key, value); });
}

void IniFile::WriteStrings(std::string_view section,
                           const std::vector<std::pair<std::string, std::string>>& keyValues) {
  Edit([&](IniDocument& doc) { doc.WriteStrings(section, keyValues); });
}

void IniFile::Edit(const std::function<void(IniDocument&)>& change) {
  std::string bytes;
  const FileReadStatus status = ReadFileBytes(path_, bytes);
  // A file that is there but unreadable must not be replaced by one holding only the new
  // keys.
  if (status == FileReadStatus::kFailed) throw IniWriteError(path_);
  IniDocument doc = IniDocument::Parse(bytes);
  change(doc);
  if (!WriteFileAtomically(path_, doc.Serialize())) throw IniWriteError(path_);
}

}  // namespace qel
