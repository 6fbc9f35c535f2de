// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/computer_name.h"

#include <array>

#ifdef _WIN32
#include <windows.h>
// windows.h maps GetComputerName to its A/W variant; ours keeps its own name.
#undef GetComputerName
#else
#include <unistd.h>
#endif

namespace qel {

std::string GetComputerName() {
#ifdef _WIN32
  char buffer[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = sizeof buffer;
  if (!GetComputerNameA(buffer, &size)) return "";
  return std::string(buffer, size);
#else
  std::array<char, 256> buffer{};
  // POSIX leaves termination open when the name is cut; keep the last byte NUL.
  if (gethostname(buffer.data(), buffer.size() - 1) != 0) return "";
  return {buffer.data()};
#endif
}

}  // namespace qel
