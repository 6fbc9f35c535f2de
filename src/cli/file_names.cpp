// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/file_names.h"

#include "core/text/win1252.h"

namespace qel::cli {

std::string NameWithTag(const std::string& given, std::string_view tag) {
  const std::size_t slash = given.find_last_of("/\\");
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  std::size_t dot = given.rfind('.');
  // A name that only starts with "." ("dir/.hidden") has no suffix.
  if (dot == std::string::npos || dot <= nameStart) dot = given.size();
  return given.substr(0, dot) + "_" + std::string(tag) + given.substr(dot);
}

std::string SerialFileTag(std::string_view serial) {
  const std::size_t first = serial.find_first_not_of(' ');
  if (first == std::string_view::npos) return "";
  serial = serial.substr(first, serial.find_last_not_of(' ') - first + 1);
  std::string tag(serial);
  for (char& c : tag) {
    if (static_cast<unsigned char>(c) < 32 ||
        std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) {
      c = '_';
    }
  }
  return Win1252ToUtf8(tag);
}

std::string FileNames::Claim(const std::string& path) {
  std::lock_guard lock(mutex_);
  std::string name = path;
  for (int n = 2; !taken_.insert(name).second; ++n) name = NameWithTag(path, std::to_string(n));
  return name;
}

}  // namespace qel::cli
