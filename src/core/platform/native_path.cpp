// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/native_path.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace qel {

#ifdef _WIN32

std::wstring Utf8ToWide(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string WideToUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

std::filesystem::path PathFromUtf8(std::string_view path) {
  return std::filesystem::path(Utf8ToWide(path));
}

std::string PathToUtf8(const std::filesystem::path& path) {
  return WideToUtf8(path.native());
}

#else

std::filesystem::path PathFromUtf8(std::string_view path) {
  return std::filesystem::path(std::string(path));
}

std::string PathToUtf8(const std::filesystem::path& path) {
  return path.native();
}

#endif

}  // namespace qel
