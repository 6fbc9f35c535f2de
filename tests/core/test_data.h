// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shared test data under tests/data (QEL_TEST_DATA_DIR), for the core and the window
// program's tests alike.

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace qel::testing {

inline std::string TestDataPath(const std::string& name) {
  return std::string(QEL_TEST_DATA_DIR) + "/" + name;
}

// The lines of a text file under tests/data, without their line ends; a file that cannot
// be read throws, so a test never compares against nothing.
inline std::vector<std::string> TestDataLines(const std::string& name) {
  std::ifstream in(TestDataPath(name));
  if (!in) throw std::runtime_error("cannot read test data " + TestDataPath(name));
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace qel::testing
