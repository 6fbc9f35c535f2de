// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/probe_memory.h"

#include "sim/sim_text.h"

namespace qel::sim {

namespace {

std::string Field16(const std::string& text) {
  std::string out = text.substr(0, 16);
  out.resize(16, ' ');
  return out;
}

}  // namespace

std::string ProbeData::NameField() const {
  return Field16(name) + Field16(calText);
}

bool ProbeMemory::ReadFromEeprom() {
  if (!lock_.unlocked()) return false;
  working_ = eeprom_;
  return true;
}

bool ProbeMemory::WriteToEeprom() {
  if (!lock_.unlocked()) return false;
  eeprom_ = working_;
  return true;
}

void ProbeMemory::PowerUp() {
  working_ = eeprom_;
  lock_.Lock();
}

std::map<std::string, std::string> ProbeToValues(const ProbeData& p) {
  std::map<std::string, std::string> v;
  v["NAME"] = p.name;
  v["CAL"] = p.calText;
  v["TYPE"] = std::to_string(p.type);
  v["SN"] = p.serial;
  v["SNEP"] = p.eepromSerial;
  for (int d = 0; d < 2; ++d) {
    const std::string n = std::to_string(d + 1);
    v["S0" + n] = FormatNumber(p.sensitivity[d]);
    v["ALF" + n] = FormatNumber(p.alfa[d]);
    v["RO1" + n] = FormatNumber(p.offset1mA[d]);
    v["RO3" + n] = FormatNumber(p.offset3mA[d]);
  }
  v["HFRF"] = FormatNumber(p.reference8T);
  return v;
}

std::string ProbeFromValues(const std::map<std::string, std::string>& v, ProbeData& p) {
  std::string bad;
  auto text = [&](const char* key, std::string& out) {
    if (auto it = v.find(key); it != v.end()) out = it->second;
  };
  auto number = [&](const std::string& key, double& out) {
    auto it = v.find(key);
    if (it == v.end()) return;
    if (auto value = ParseDecimal(it->second)) {
      out = *value;
    } else if (bad.empty()) {
      bad = key;
    }
  };
  text("NAME", p.name);
  text("CAL", p.calText);
  text("SN", p.serial);
  text("SNEP", p.eepromSerial);
  if (auto it = v.find("TYPE"); it != v.end()) {
    auto type = ParseInteger(it->second);
    if (type && *type >= 0 && *type <= 6) {
      p.type = static_cast<int>(*type);
    } else if (bad.empty()) {
      bad = "TYPE";
    }
  }
  for (int d = 0; d < 2; ++d) {
    const std::string n = std::to_string(d + 1);
    number("S0" + n, p.sensitivity[d]);
    number("ALF" + n, p.alfa[d]);
    number("RO1" + n, p.offset1mA[d]);
    number("RO3" + n, p.offset3mA[d]);
  }
  number("HFRF", p.reference8T);
  return bad;
}

}  // namespace qel::sim
