// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The instrument's internal calibration constants: probe-current measurement gain and
// offset, the set values of the two probe currents, the adjustment of the eight gain
// stages, the unit's serial number and its calibration text. Lines change the working
// values at any time; storing them (INTE:SAVE?) and resetting them to the factory
// defaults (INTE:DEFA) need the memory unlocked with the service code (INTE:LOCK 6083).

#include <array>
#include <map>
#include <string>

#include "sim/probe_memory.h"

namespace qel::sim {

struct InternalConstants {
  double probeCurrentGain = 1.0;  // INTE:ISND:GAIN
  double probeCurrentOffset = 0;  // INTE:ISND:OFFS, mA
  double current1 = 0.4;          // INTE:CONS:I1MA, mA
  double current3 = 4.0;          // INTE:CONS:I3MA, mA
  // INTE:CONS:MAG:GA0..GA7: the measured amplification of each gain stage, nominally
  // 1, 2, 4, ... 128.
  std::array<double, 8> stageGain{1, 2, 4, 8, 16, 32, 64, 128};
  std::string serial = "11230042";            // SN:UNIT? / INTE:SN
  std::string calInfo = "15.03.2024 KORVAL";  // SN:CALI? / INTE:CALI
  bool operator==(const InternalConstants&) const = default;
};

class ConstantMemory {
 public:
  InternalConstants& working() { return working_; }
  const InternalConstants& working() const { return working_; }
  InternalConstants& stored() { return stored_; }
  const InternalConstants& stored() const { return stored_; }

  bool unlocked() const { return lock_.unlocked(); }
  // INTE:LOCK: the service code unlocks, 0 locks; false for any other code (then locked).
  bool SetLock(long code) { return lock_.Set(code); }
  // INTE:SAVE? / INTE:DEFA: false (nothing changed) while locked.
  bool Save();
  bool Defaults();
  void PowerUp();

 private:
  InternalConstants stored_;
  InternalConstants working_;
  ServiceLock lock_;
};

std::map<std::string, std::string> ConstantsToValues(const InternalConstants& constants);
// Returns the first key whose value could not be read, or empty text.
std::string ConstantsFromValues(const std::map<std::string, std::string>& values,
                                InternalConstants& constants);

}  // namespace qel::sim
