// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether an instrument holds the configuration of a parameter file: the settings of two
// sets of pages compared as the page models see them. Choice positions compare as
// positions, limits and address octets as numbers, so a file's limit "1.5" equals a read
// "1.5000" (from the reply "1.5E0") and an octet "7" equals "007".

#include <string>
#include <vector>

namespace qel {

class ParameterPages;

// One setting that differs: section, key and both values as the parameter file writes
// them.
struct SettingDifference {
  std::string section;
  std::string key;
  std::string fileValue;
  std::string instrumentValue;
  bool operator==(const SettingDifference&) const = default;
};

// The differences in file order (page order, then each page's key order). `file` holds
// what a parameter file loaded into the pages, `instrument` what a read of all pages set.
std::vector<SettingDifference> ComparePages(const ParameterPages& file,
                                            const ParameterPages& instrument);

}  // namespace qel
