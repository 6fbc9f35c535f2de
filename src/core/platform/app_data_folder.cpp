// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/app_data_folder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/platform/native_path.h"

namespace qel {
namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

std::optional<std::string> NonEmpty(const EnvLookup& env, const char* name) {
  auto value = env(name);
  if (value && value->empty()) return std::nullopt;
  return value;
}

std::string Base(const EnvLookup& env) {
  if (auto v = NonEmpty(env, "ProgramData")) return *v;
  if (auto v = NonEmpty(env, "ALLUSERSPROFILE")) return *v;
#ifdef _WIN32
  return "C:";
#else
  if (auto v = NonEmpty(env, "XDG_DATA_HOME"); v && v->front() == '/') return *v;
  if (auto v = NonEmpty(env, "HOME")) return *v + "/.local/share";
  return "";
#endif
}

}  // namespace

std::optional<std::string> ProcessEnv(const char* name) {
#ifdef _WIN32
  // As UTF-8, like every path inside the tool; getenv would give the ANSI code page.
  const wchar_t* value = _wgetenv(Utf8ToWide(name).c_str());
  if (value == nullptr) return std::nullopt;
  return WideToUtf8(value);
#else
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
#endif
}

std::string AppDataFolderPath(const EnvLookup& env) {
  std::string folder = Base(env);
  folder += kSeparator;
  folder += "KORVAL";
  folder += kSeparator;
  folder += "QELConfigTool";
  return folder;
}

std::string GetAppDataFolder(const EnvLookup& env) {
  namespace fs = std::filesystem;
  std::string folder = AppDataFolderPath(env);
  const fs::path native = PathFromUtf8(folder);
  std::error_code ec;
  if (fs::is_directory(native, ec)) return folder;
  fs::create_directories(native, ec);
  // create_directories reports no error when the name exists as a file; check the result.
  if (!fs::is_directory(native, ec)) return "";
  return folder;
}

std::string GetAppDataFolder() {
  return GetAppDataFolder(ProcessEnv);
}

std::string DataFolderForFiles(const EnvLookup& env) {
  std::string folder = GetAppDataFolder(env);
#ifndef _WIN32
  if (folder.empty()) folder = AppDataFolderPath(env);
#endif
  return folder;
}

std::string DataFolderForFiles() {
  return DataFolderForFiles(ProcessEnv);
}

std::string PathInFolder(const std::string& folder, std::string_view fileName) {
  std::string path = folder;
  path += kSeparator;
  path += fileName;
  return path;
}

std::string SettingsFilePath(const std::string& folder) {
  return PathInFolder(folder, kSettingsFileName);
}

}  // namespace qel
