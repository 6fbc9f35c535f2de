// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Splits one SCPI line into its program message units and applies the header-path rule.
//
// A line holds units joined by ";". A unit is a header, optionally "?" (a query), then
// blanks and arguments. Header words are joined by ":"; a leading ":" starts at the root.
// A unit without leading ":" continues from the path of the unit before it minus that
// unit's last word, so ":PEAK:FAST:READ?;READ:MIN?;MAX?" reads PEAK:FAST:READ?,
// PEAK:FAST:READ:MIN? and PEAK:FAST:READ:MAX?. Common commands ("*IDN?") stand anywhere
// and leave the path alone.

#include <string>
#include <string_view>
#include <vector>

namespace qel::sim {

struct ScpiUnit {
  std::vector<std::string> words;  // full header path, upper case; for a common command
                                   // the one word after "*"
  bool common = false;
  bool query = false;
  std::string arguments;  // text after the header, blanks around it removed
  std::string text;       // the unit as written (for diagnostics)
  bool syntaxError = false;
};

// Units of a line in order. Empty units ("MODE?;" or a blank line) are left out.
std::vector<ScpiUnit> ParseScpiLine(std::string_view line);

// Arguments split at "," outside quotes, each with blanks removed. Empty text gives none.
std::vector<std::string> SplitArguments(std::string_view arguments);

}  // namespace qel::sim
