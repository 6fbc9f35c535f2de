// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/computer_name.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/text/ascii.h"

namespace qel {
namespace {

TEST(ComputerName, MatchesTheKernelsHostName) {
  const std::string name = GetComputerName();
  EXPECT_FALSE(name.empty());
  EXPECT_EQ(name.find('\0'), std::string::npos);
  std::ifstream kernel("/proc/sys/kernel/hostname");
  std::string expected;
  if (!std::getline(kernel, expected)) GTEST_SKIP() << "no /proc host name to compare with";
#ifdef _WIN32
  // Under Wine: Windows gives the host name as its NetBIOS name, upper case, at most 15
  // characters.
  expected = AsciiUpperCase(expected.substr(0, 15));
#endif
  EXPECT_EQ(name, expected);
}

}  // namespace
}  // namespace qel
