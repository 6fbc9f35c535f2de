// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/state_file.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <map>
#include <sstream>

#include "core/platform/atomic_file.h"
#include "core/platform/native_path.h"
#include "sim/instrument.h"

namespace qel::sim {

namespace {

using Values = std::map<std::string, std::string>;

std::string Escape(const std::string& value) {
  std::string out;
  for (unsigned char c : value) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c < 0x20 || c == 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

bool Unescape(const std::string& text, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i >= text.size()) return false;
    switch (text[i]) {
      case '\\':
        out += '\\';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case 'x': {
        if (i + 2 >= text.size()) return false;
        const std::string hex = text.substr(i + 1, 2);
        if (!std::isxdigit(static_cast<unsigned char>(hex[0])) ||
            !std::isxdigit(static_cast<unsigned char>(hex[1]))) {
          return false;
        }
        out += static_cast<char>(std::stoi(hex, nullptr, 16));
        i += 2;
        break;
      }
      default:
        return false;
    }
  }
  return true;
}

void WriteSection(std::ostringstream& out, const char* name, const Values& values) {
  out << "[" << name << "]\n";
  for (const auto& [key, value] : values) out << key << "=" << Escape(value) << "\n";
}

}  // namespace

std::string FormatStateFile(const Instrument& instrument) {
  std::ostringstream out;
  out << "# qel11-sim state: stored settings, probe EEPROM, stored constants\n";
  WriteSection(out, "settings", SettingsToValues(instrument.storedSettings()));
  WriteSection(out, "probe", ProbeToValues(instrument.probe().eeprom()));
  WriteSection(out, "constants", ConstantsToValues(instrument.constants().stored()));
  return out.str();
}

bool ParseStateFile(const std::string& text, Instrument& instrument, std::string& error) {
  std::map<std::string, Values> sections;
  std::istringstream in(text);
  std::string line;
  std::string section;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (line.front() == '[' && line.back() == ']') {
      section = line.substr(1, line.size() - 2);
      continue;
    }
    const auto eq = line.find('=');
    std::string value;
    if (eq == std::string::npos || eq == 0 || !Unescape(line.substr(eq + 1), value)) {
      error = "line " + std::to_string(number) + " cannot be read: " + line;
      return false;
    }
    sections[section][line.substr(0, eq)] = value;
  }
  InstrumentSettings settings = instrument.storedSettings();
  ProbeData probe = instrument.probe().eeprom();
  InternalConstants constants = instrument.constants().stored();
  std::string bad = SettingsFromValues(sections["settings"], settings);
  if (!bad.empty()) {
    error = "bad value for " + bad + " in [settings]";
    return false;
  }
  bad = ProbeFromValues(sections["probe"], probe);
  if (!bad.empty()) {
    error = "bad value for " + bad + " in [probe]";
    return false;
  }
  bad = ConstantsFromValues(sections["constants"], constants);
  if (!bad.empty()) {
    error = "bad value for " + bad + " in [constants]";
    return false;
  }
  instrument.storedSettings() = settings;
  instrument.probe().eeprom() = probe;
  instrument.constants().stored() = constants;
  return true;
}

bool LoadStateFile(const std::string& path, Instrument& instrument, std::string& error) {
  std::string text;
  switch (ReadFileBytes(PathFromUtf8(path), text)) {
    case FileReadStatus::kMissing:
      return true;
    case FileReadStatus::kFailed:
      error = path + ": cannot be read";
      return false;
    case FileReadStatus::kRead:
      break;
  }
  if (!ParseStateFile(text, instrument, error)) {
    error = path + ": " + error;
    return false;
  }
  return true;
}

// Replaced as a whole, so a crash while saving never leaves a torn state file.
bool SaveStateFile(const std::string& path, const Instrument& instrument, std::string& error) {
  if (!WriteFileAtomically(PathFromUtf8(path), FormatStateFile(instrument))) {
    error = path + ": cannot be written";
    return false;
  }
  return true;
}

}  // namespace qel::sim
