// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/scpi_parser.h"

#include "sim/sim_text.h"

namespace qel::sim {

namespace {

bool IsWordChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// Splits at `separator` where it stands outside a quoted string.
std::vector<std::string_view> SplitOutsideQuotes(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  char quote = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quote != 0) {
      if (c == quote) quote = 0;  // a doubled quote closes and reopens: same effect
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == separator) {
      parts.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  parts.push_back(text.substr(start));
  return parts;
}

// Parses one unit's header and arguments; `path` is the current header path.
ScpiUnit ParseUnit(std::string_view text, std::vector<std::string>& path) {
  ScpiUnit unit;
  unit.text = std::string(text);
  std::size_t i = 0;
  const std::size_t headerStart = i;
  while (i < text.size() && !IsBlank(text[i]) && text[i] != '?') ++i;
  std::string_view header = text.substr(headerStart, i - headerStart);
  if (i < text.size() && text[i] == '?') {
    unit.query = true;
    ++i;
    // Nothing may stick to the "?" but blanks and arguments.
    if (i < text.size() && !IsBlank(text[i])) unit.syntaxError = true;
  }
  unit.arguments = std::string(TrimBlanks(text.substr(i)));

  if (!header.empty() && header.front() == '*') {
    unit.common = true;
    header.remove_prefix(1);
    if (header.empty()) unit.syntaxError = true;
    for (char c : header) {
      if (!IsWordChar(c)) unit.syntaxError = true;
    }
    unit.words.push_back(ToUpperAscii(header));
    return unit;
  }

  bool absolute = false;
  if (!header.empty() && header.front() == ':') {
    absolute = true;
    header.remove_prefix(1);
  }
  std::vector<std::string> words = absolute ? std::vector<std::string>{} : path;
  std::size_t start = 0;
  for (std::size_t j = 0; j <= header.size(); ++j) {
    if (j == header.size() || header[j] == ':') {
      std::string_view word = header.substr(start, j - start);
      if (word.empty()) unit.syntaxError = true;
      for (char c : word) {
        if (!IsWordChar(c)) unit.syntaxError = true;
      }
      words.push_back(ToUpperAscii(word));
      start = j + 1;
    }
  }
  unit.words = words;
  words.pop_back();
  path = std::move(words);
  return unit;
}

}  // namespace

std::vector<ScpiUnit> ParseScpiLine(std::string_view line) {
  std::vector<ScpiUnit> units;
  std::vector<std::string> path;  // every line starts at the root
  for (std::string_view part : SplitOutsideQuotes(line, ';')) {
    part = TrimBlanks(part);
    if (part.empty()) continue;
    units.push_back(ParseUnit(part, path));
  }
  return units;
}

std::vector<std::string> SplitArguments(std::string_view arguments) {
  std::vector<std::string> out;
  arguments = TrimBlanks(arguments);
  if (arguments.empty()) return out;
  for (std::string_view part : SplitOutsideQuotes(arguments, ',')) {
    out.emplace_back(TrimBlanks(part));
  }
  return out;
}

}  // namespace qel::sim
