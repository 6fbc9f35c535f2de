// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lang/restart_arguments.h"

#include <algorithm>

namespace qel {

std::vector<std::string> RestartArguments(const std::vector<std::string>& arguments,
                                          std::span<const std::string_view> valueOptions) {
  std::vector<std::string> kept;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--") break;
    if (!argument.starts_with("--")) continue;
    kept.push_back(argument);
    const bool takesValue =
        std::find(valueOptions.begin(), valueOptions.end(), argument) != valueOptions.end();
    if (takesValue && i + 1 < arguments.size()) kept.push_back(arguments[++i]);
  }
  return kept;
}

}  // namespace qel
