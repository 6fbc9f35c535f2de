// SPDX-License-Identifier: GPL-3.0-or-later
// INI (profile) file bytes, as the settings file, parameter files and calibration backups
// hold them. Properties:
//  - writing the parsed lines out and parsing them again gives the same lines, also after
//    a write;
//  - writing one key (an existing one, a new one in an existing section, one in a new
//    section; the value is the input's last line) reads back as the profile-file rules
//    say, and leaves every other key as it was; a name the file cannot hold is refused
//    with the file unchanged;
//  - a number that ParseProfileInt accepts reads back the same from its decimal text.

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/platform/ini_document.h"
#include "core/platform/profile_values.h"
#include "fuzz_check.h"

namespace {

using qel::IniDocument;

// (section, key) -> value, names upper-cased so that spellings compare equal.
using Snapshot = std::map<std::pair<std::string, std::string>, std::string>;

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

Snapshot Read(const IniDocument& doc) {
  Snapshot values;
  for (const std::string& section : doc.ReadSectionNames()) {
    for (const std::string& key : doc.ReadSectionKeys(section)) {
      values[{Upper(section), Upper(key)}] = doc.ReadString(section, key, "\x01missing");
    }
  }
  return values;
}

// What a read gives for a written value: line ends as blanks, surrounding blanks gone, one
// pair of enclosing quotes gone, at most 2047 bytes.
std::string ExpectedRead(std::string_view value) {
  std::string text(value);
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  constexpr std::string_view kBlanks = " \t\r\v\f";
  const auto first = text.find_first_not_of(kBlanks);
  text = first == std::string::npos
             ? std::string()
             : text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
  if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
      text.back() == text.front()) {
    text = text.substr(1, text.size() - 2);
  }
  return text.substr(0, IniDocument::kMaxValueLength);
}

void CheckWrite(const IniDocument& original, const Snapshot& originalValues,
                const std::string& section, const std::string& key, const std::string& value) {
  IniDocument doc = original;
  try {
    doc.WriteString(section, key, value);
  } catch (const std::invalid_argument&) {
    FUZZ_CHECK(doc.Lines() == original.Lines(), "a refused write changed the file");
    return;
  }
  FUZZ_CHECK(doc.ReadString(section, key, "\x01missing") == ExpectedRead(value),
             "a written value does not read back");
  // Names from the file and the names used here carry no blanks to trim.
  const std::pair<std::string, std::string> written{Upper(section), Upper(key)};
  FUZZ_CHECK(IniDocument::Parse(doc.Serialize()).Lines() == doc.Lines(),
             "a written file reads differently after saving");
  Snapshot after = Read(doc);
  Snapshot before = originalValues;
  before.erase(written);
  after.erase(written);
  FUZZ_CHECK(before == after, "writing one key changed another");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const IniDocument doc = IniDocument::Parse(bytes);

  // Reads depend on the lines only, so equal lines read equal values.
  FUZZ_CHECK(IniDocument::Parse(doc.Serialize()).Lines() == doc.Lines(),
             "lines change when the file is written and read");
  const Snapshot values = Read(doc);

  for (const auto& [names, value] : values) {
    FUZZ_CHECK(value.size() <= IniDocument::kMaxValueLength, "a read value is too long");
    if (const auto number = qel::ParseProfileInt(value)) {
      FUZZ_CHECK(qel::ParseProfileInt(std::to_string(*number)) == number,
                 "a profile number does not read back from its decimal text");
    }
  }

  const std::string lastLine = doc.Lines().empty() ? std::string() : doc.Lines().back();
  const auto sections = doc.ReadSectionNames();
  if (!sections.empty()) {
    const auto keys = doc.ReadSectionKeys(sections.front());
    if (!keys.empty()) CheckWrite(doc, values, sections.front(), keys.front(), lastLine);
    CheckWrite(doc, values, sections.back(), "Fuzz New Key", lastLine);
    if (!keys.empty()) CheckWrite(doc, values, "Fuzz New Section", keys.back(), lastLine);
  }
  CheckWrite(doc, values, "Fuzz New Section", "Key", lastLine);
  return 0;
}
