// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/internal_constants.h"

#include "sim/probe_memory.h"
#include "sim/sim_text.h"

namespace qel::sim {

bool ConstantMemory::Save() {
  if (!lock_.unlocked()) return false;
  stored_ = working_;
  return true;
}

bool ConstantMemory::Defaults() {
  if (!lock_.unlocked()) return false;
  working_ = InternalConstants{};
  return true;
}

void ConstantMemory::PowerUp() {
  working_ = stored_;
  lock_.Lock();
}

std::map<std::string, std::string> ConstantsToValues(const InternalConstants& c) {
  std::map<std::string, std::string> v;
  v["ISND:GAIN"] = FormatNumber(c.probeCurrentGain);
  v["ISND:OFFS"] = FormatNumber(c.probeCurrentOffset);
  v["CONS:I1MA"] = FormatNumber(c.current1);
  v["CONS:I3MA"] = FormatNumber(c.current3);
  for (int k = 0; k < 8; ++k) v["CONS:MAG:GA" + std::to_string(k)] = FormatNumber(c.stageGain[k]);
  v["SN"] = c.serial;
  v["CALI"] = c.calInfo;
  return v;
}

std::string ConstantsFromValues(const std::map<std::string, std::string>& v, InternalConstants& c) {
  std::string bad;
  auto number = [&](const std::string& key, double& out) {
    auto it = v.find(key);
    if (it == v.end()) return;
    if (auto value = ParseDecimal(it->second)) {
      out = *value;
    } else if (bad.empty()) {
      bad = key;
    }
  };
  number("ISND:GAIN", c.probeCurrentGain);
  number("ISND:OFFS", c.probeCurrentOffset);
  number("CONS:I1MA", c.current1);
  number("CONS:I3MA", c.current3);
  for (int k = 0; k < 8; ++k) number("CONS:MAG:GA" + std::to_string(k), c.stageGain[k]);
  if (auto it = v.find("SN"); it != v.end()) c.serial = it->second;
  if (auto it = v.find("CALI"); it != v.end()) c.calInfo = it->second;
  return bad;
}

}  // namespace qel::sim
