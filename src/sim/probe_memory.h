// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The probe's memory: an EEPROM in the probe and the working copy the instrument measures
// with. Queries answer the working copy. Changing it (PROB:NAME, PROB:S01, ...), loading
// it from the EEPROM (PROB:READ?) and writing it back (PROB:WRIT?) need the memory
// unlocked with the service code (PROB:LOCK 6083); PROB:LOCK 0 locks it again.
//
// Name and calibration text share one 32-character field, as "Probe:NAME?" answers it:
//   characters 1..16   probe name (PROB:NAME), blank-padded
//   characters 17..32  calibration text (PROB:CAL), blank-padded

#include <array>
#include <map>
#include <string>

namespace qel::sim {

inline constexpr long kServiceCode = 6083;

// The lock of a service memory (probe EEPROM, internal constants): the service code
// unlocks, 0 locks; any other code locks it and is refused.
class ServiceLock {
 public:
  bool unlocked() const { return unlocked_; }
  bool Set(long code) {
    unlocked_ = code == kServiceCode;
    return code == kServiceCode || code == 0;
  }
  void Lock() { unlocked_ = false; }

 private:
  bool unlocked_ = false;
};

struct ProbeData {
  std::string name = "HS-TR 10T";
  std::string calText = "KAL 03.2024";
  int type = 0;                                     // 0..4 as the probe list names them; 5, 6 kept
  std::string serial = "150324017";                 // ttmmyynnn
  std::string eepromSerial = "2D00000B1C6E4A23";    // the EEPROM chip's own number, fixed
  std::array<double, 2> sensitivity{150.2, 149.7};  // So, V/AT, directions 1 and 2
  std::array<double, 2> alfa{0.0131, 0.0127};       // temperature coefficient
  std::array<double, 2> offset1mA{0.12, -0.08};     // Roffset at 1 mA, mR
  std::array<double, 2> offset3mA{0.35, -0.21};     // Roffset at 3 mA, mR
  double reference8T = 8.00125;                     // Ref 8T of high-field probes
  bool operator==(const ProbeData&) const = default;

  // The 32-character field: name and calibration text, each cut or padded to 16.
  std::string NameField() const;
};

class ProbeMemory {
 public:
  ProbeData& working() { return working_; }
  const ProbeData& working() const { return working_; }
  ProbeData& eeprom() { return eeprom_; }
  const ProbeData& eeprom() const { return eeprom_; }

  bool unlocked() const { return lock_.unlocked(); }
  // PROB:LOCK: the service code unlocks, 0 locks; false for any other code (then locked).
  bool SetLock(long code) { return lock_.Set(code); }
  // PROB:READ? / PROB:WRIT?: false (and nothing copied) while locked.
  bool ReadFromEeprom();
  bool WriteToEeprom();

  // Power-up: the working copy comes from the EEPROM, the memory is locked.
  void PowerUp();

 private:
  ProbeData eeprom_;
  ProbeData working_;
  ServiceLock lock_;
};

std::map<std::string, std::string> ProbeToValues(const ProbeData& probe);
// Returns the first key whose value could not be read, or empty text.
std::string ProbeFromValues(const std::map<std::string, std::string>& values, ProbeData& probe);

}  // namespace qel::sim
