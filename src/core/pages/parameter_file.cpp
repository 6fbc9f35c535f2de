// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pages/parameter_file.h"

#include <cstdio>

#include "core/pages/parameter_pages.h"
#include "core/platform/atomic_file.h"
#include "core/platform/computer_name.h"
#include "core/platform/ini_file.h"
#include "core/text/ascii.h"

namespace qel {
namespace {

std::tm LocalTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return local;
}

}  // namespace

std::string ProposedParameterFileName(const std::tm& t) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d%02d%02d_%02d%02d", t.tm_year + 1900, t.tm_mon + 1,
                t.tm_mday, t.tm_hour, t.tm_min);
  return std::string("QEL11_Setup_Parameter_") + stamp + ".QEL";
}

std::string FormatSaveAtText(const std::tm& localTime) {
  char text[128];
  const std::size_t length = std::strftime(text, sizeof text, "%x %X", &localTime);
  return std::string(text, length);
}

ParameterFileInfo CurrentParameterFileInfo() {
  return {FormatSaveAtText(LocalTimeNow()), GetComputerName()};
}

IniDocument BuildParameterFile(const ParameterPages& pages, const ParameterFileInfo& info) {
  IniDocument file;
  file.WriteString("Info", "Device", kParameterFileDevice);
  file.WriteString("Info", "Save at", info.savedAt);
  file.WriteString("Info", "on PC", info.computerName);
  pages.SaveAll(file);
  return file;
}

void SaveParameterFile(const std::filesystem::path& path, const ParameterPages& pages,
                       const ParameterFileInfo& info) {
  // The whole file is replaced, never merged with what it held, so there is no need to
  // read it first.
  if (!WriteFileAtomically(path, BuildParameterFile(pages, info).Serialize())) {
    throw IniWriteError(path);
  }
}

void LoadParameterFile(const std::filesystem::path& path, ParameterPages& pages) {
  pages.LoadAll(IniFile(path).Load());
}

ParameterFileLoad LoadParameterFileStrictly(const std::filesystem::path& path,
                                            ParameterPages& pages) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return ParameterFileLoad::kFolder;
  std::string bytes;
  switch (ReadFileBytes(path, bytes)) {
    case FileReadStatus::kMissing:
      return ParameterFileLoad::kMissing;
    case FileReadStatus::kFailed:
      return ParameterFileLoad::kUnreadable;
    case FileReadStatus::kRead:
      break;
  }
  const IniDocument file = IniDocument::Parse(bytes);
  bool pageSection = false;
  for (const std::string& name : file.ReadSectionNames()) {
    for (const std::string_view section : kParameterPageSections) {
      pageSection = pageSection || AsciiEqualsNoCase(name, section);
    }
  }
  if (!pageSection) return ParameterFileLoad::kNotParameterFile;
  pages.LoadAll(file);
  return ParameterFileLoad::kLoaded;
}

}  // namespace qel
