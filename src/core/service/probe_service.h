// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The probe parameter service: reads and writes the values stored in the probe's memory
// (name, calibration text, type, serial numbers, and per measuring direction the
// sensitivity, alfa and the offset resistances at 1 mA and 3 mA, plus the 8 T reference).
// A read or write starts by unlocking the probe memory with the service code and, when it
// succeeds, ends by locking it again. The window copies its fields into ProbeFields, calls
// Read or Write, and copies the fields and the status back.
//
// The command words keep their mixed case ("PROB:Type?", "PROB:alf1?" beside
// "PROB:ALF2?"): they go out exactly so.

#include <array>
#include <string>

#include "core/link/scpi_session.h"
#include "core/service/service_status.h"

namespace qel {

// Probe type list; the item index is the SCPI value.
inline constexpr std::array<const char*, 7> kProbeTypeItems = {"Transversal Standard",
                                                               "Axial Standard",
                                                               "Calibrier Probe",
                                                               "Transversal High Field",
                                                               "Axial High Field",
                                                               "Fail",
                                                               ""};
inline constexpr int kProbeTypeFail = 5;
inline constexpr int kProbeTypeEmpty = 6;

// Typing limits (a read may fill longer texts).
inline constexpr int kProbeNameMaxLength = 16;    // Probe_Name_In, Probe_Cal_In
inline constexpr int kProbeSerialMaxLength = 9;   // Probe_SN_In, "ttmmyynnn"
inline constexpr int kProbeNumberMaxLength = 30;  // the nine number fields, EPROM SN

// Decimals shown after a read.
inline constexpr int kProbeValueDecimals = 6;
inline constexpr int kProbeRef8TDecimals = 5;
// alfa is shown in %/T: the instrument's value times 100; written back with 9 decimals.
inline constexpr double kProbeAlfaShownFactor = 100.0;
inline constexpr double kProbeAlfaWriteFactor = 0.01;
inline constexpr int kProbeAlfaWriteDecimals = 9;

inline constexpr const char* kProbeUnlockLine = "PROB:LOCK 6083; *opc?";
inline constexpr const char* kProbeLockLine = "PROB:LOCK 0; *opc?";

// The window's fields, named after its controls; index [0] is "Dir 1", [1] "Dir 2".
struct ProbeFields {
  std::string Probe_Name_In;
  std::string Probe_Cal_In;
  int ProbeTypeComboBox = kProbeTypeEmpty;  // item index, -1 for none
  std::string Probe_EPROM_SN_In;            // display only, never written
  std::string Probe_SN_In;
  std::array<std::string, 2> Probe_So_In;
  std::array<std::string, 2> Probe_alfa_In;
  std::array<std::string, 2> Probe_roffset_1ma_In;
  std::array<std::string, 2> Probe_roffset_3ma_In;
  std::string Ref8T_IN;
  bool Ref8T_Enabled = true;
  bool operator==(const ProbeFields&) const = default;
};

// "Ref 8T" belongs to the high-field probes (types 3 and 4).
bool Ref8TEnabledFor(int typeIndex);

class ProbeService {
 public:
  ProbeFields fields;
  // "--------" on yellow once the window is created.
  ServiceStatus status{"--------", ServiceOutcome::Working};

  // "Read": empties the fields, selects the empty type, shows an empty status on yellow,
  // calls `repaint`, then reads. "PROB:READ?" other than "1" ends with "Lese Fehler" on
  // red and nothing more is sent (the memory stays unlocked). A query of the read that
  // gets no answer at all also ends with "Lese Fehler" (after the lock line), as fields
  // left empty or at 0 must not pass for a good read. Otherwise "Lesen IO" on green.
  // Returns whether the read succeeded.
  bool Read(ScpiSession& session, const RepaintHook& repaint = {});

  // "Write": "Schreiben" on yellow, `repaint`, then all lines; "PROB:WRIT?" answered "1"
  // gives "Schreiben IO" on green and the lock line, anything else "Schreiben Fehler" on
  // red (the memory stays unlocked). Empty fields are sent too. Returns the success.
  bool Write(ScpiSession& session, const RepaintHook& repaint = {});

  // "Testdaten": fills the fields with test data; sends nothing, leaves "EPROM SN" and
  // whether "Ref 8T" is enabled alone.
  void FillTestData();

  // The user picks a type from the list.
  void SelectType(int index);
};

}  // namespace qel
