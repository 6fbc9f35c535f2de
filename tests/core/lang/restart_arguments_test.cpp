// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lang/restart_arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qel {
namespace {

using Args = std::vector<std::string>;

TEST(RestartArguments, KeepsOptionsDropsTheServiceCode) {
  struct Row {
    Args arguments;
    Args restart;
  };
  const Row rows[] = {
      {{}, {}},
      {{"6083"}, {}},
      {{"6083", "--device", "tcp:localhost:5025"}, {"--device", "tcp:localhost:5025"}},
      {{"--device", "sim", "6083"}, {"--device", "sim"}},
      {{"--device=sim", "6083"}, {"--device=sim"}},
      {{"6083", "--simulate"}, {"--simulate"}},
      {{"--timeout", "500", "--simulate", "6083"}, {"--timeout", "500", "--simulate"}},
      {{"--timeout=250"}, {"--timeout=250"}},
      // the value of a value option is kept whatever it looks like
      {{"--device", "6083"}, {"--device", "6083"}},
      {{"--device", "--simulate"}, {"--device", "--simulate"}},
      {{"--device"}, {"--device"}},
      // "--" ends the options; single-dash arguments are no options of ours
      {{"--simulate", "--", "--device", "x"}, {"--simulate"}},
      {{"-d", "x", "6083 "}, {}},
      {{"--log", "6083"}, {"--log"}},
  };
  for (const Row& row : rows) EXPECT_EQ(RestartArguments(row.arguments), row.restart);
}

TEST(RestartArguments, ValueOptionsCanBeNamed) {
  const std::string_view none[] = {"--port"};
  EXPECT_EQ(RestartArguments({"--port", "7", "--device", "sim"}, none),
            (Args{"--port", "7", "--device"}));
}

}  // namespace
}  // namespace qel
