// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One instrument state for reading all pages, answered with every kind of trouble a reply
// can bring: letter case, a trailing blank, unknown tokens, limits that do not parse or
// round to zero, a limit beyond 12 integer digits, an octet above 255.

#include <map>
#include <string>

namespace qel::testing {

inline std::map<std::string, std::string> TrickyReplies() {
  return {
      {"MODE?", "ac"},
      {"RANG?", "2"},
      {"UNIT?", "GAUS"},
      {"DGIO:SET:OUT1:FUNC?", "IFHI"},
      {"DGIO:SET:OUT1:LOG?", "1"},
      {"DGIO:SET:OUT1:LIMI:HIGH?", "2.5E-3"},
      {"DGIO:SET:OUT1:LIMI:LOW?", "-1"},
      {"DGIO:SET:OUT2:FUNC?", "ifou "},
      {"DGIO:SET:OUT2:LOG?", "0"},
      {"DGIO:SET:OUT2:LIMI:HIGH?", "abc"},
      {"DGIO:SET:OUT3:FUNC?", "IFRN"},
      {"DGIO:SET:OUT3:LOG?", "2"},
      {"DGIO:SET:OUT3:LIMI:HIGH?", "-0.00001"},
      {"DGIO:SET:OUT3:LIMI:LOW?", "123456.789"},
      {"DGIO:SET:OUT4:FUNC?", "ON"},
      {"DGIO:SET:OUT4:LOG?", "0"},
      {"DGIO:SET:OUT4:LIMI:HIGH?", "1E13"},
      {"DGIO:SET:OUT4:LIMI:LOW?", "0.00005"},
      {"DGIO:SET:IN1:FUNC?", "HOLD"},
      {"DGIO:SET:IN1:LOG?", "1"},
      {"DGIO:SET:IN2:FUNC?", "nlpk"},
      {"DGIO:SET:IN2:LOG?", "0"},
      {"DGIO:SET:IN3:FUNC?", "XYZ"},
      {"DGIO:SET:IN3:LOG?", "1"},
      {"KEYS:TOP:FUNC?", "no"},
      {"KEYS:BOT:FUNC?", "PKNL"},
      {"IP:IP1?", "192"},
      {"IP:IP2?", "168"},
      {"IP:IP3?", "1"},
      {"IP:IP4?", "300"},
      {"IP:MAS1?", "255"},
      {"IP:MAS2?", "255"},
      {"IP:MAS3?", "255"},
      {"IP:MAS4?", "0"},
      {"SERI:COMA:BAUD?", "38K4"},
      {"SERI:COMA:STOP?", "2"},
      {"SERI:COMA:PARY?", "odd"},
      {"SERI:COMA:MODE?", "SHOR"},
  };
}

}  // namespace qel::testing
