// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The internal settings and calibration window: the instrument's calibration constants
// (gain and offset of the probe-current measurement, the two probe-current set values,
// the eight gain-stage adjustments, serial number and calibration information). Reads
// them, writes them and has the instrument store them, resets them to the defaults,
// shows the probe current measured now, and keeps a backup of some of them in a file
// named after the serial number. The window copies its fields into InternalFields, calls
// an operation, and copies the fields and the status back.

#include <array>
#include <string>

#include "core/link/scpi_session.h"
#include "core/service/service_status.h"

namespace qel {

inline constexpr int kInternalNumberMaxLength = 30;  // the thirteen number fields
inline constexpr const char* kInternalUnlockLine = "INTE:LOCK 6083";

// The window's fields, named after its controls. All values are texts, sent and shown
// unchanged, except ISonde_Val.
struct InternalFields {
  std::string ISonde_Val;  // "Wert": display only
  std::string ISonde_Gain;
  std::string ISonde_Offset;
  std::string I1mA_set;  // labelled "I 400uA"
  std::string I3mA_set;  // labelled "I 4mA"
  std::array<std::string, 8> MAG_GAIN;
  std::string SN_IN;
  std::string Cal_Info_IN;
  bool operator==(const InternalFields&) const = default;
};

// Whether "Parm Schreiben" may send these fields. Not when the serial number is empty (as
// after a read that got no answer, or "Lesen" of a missing backup): the instrument would
// lose its serial number. Nor when a text would break out of its line: a number field with
// anything but a number's characters ("+-.0123456789Ee" and blanks; empty is fine), or a
// serial number or calibration text with a double quote or a control character, which
// would end the quoted text early. Replies and backup files fill these fields unchecked.
bool InternalFieldsWritable(const InternalFields& fields);

// The probe current as "Wert" shows it: fixed point with 1 decimal (after 10 significant
// digits), the user's decimal separator, "-" for negative values and one blank in front
// of values of 0 and above.
std::string FormatCurrentValue(double value, char decimalSeparator);

// "TOV09_QEL11_" + serial + "_Int_Par.ini". Characters that cannot stand in a file name
// or would lead into another folder (/ \ : * ? " < > | and control characters) become
// "_", so a serial number never puts the backup anywhere but in its folder.
std::string InternalBackupFileName(const std::string& serialNumber);
// Where "Speichern" writes: the data folder.
std::string InternalBackupPath(const std::string& dataFolder, const std::string& serialNumber);
// Where "Lesen" reads: the data folder as well; on Windows, when no backup is there, the
// old place at the root of drive C.
std::string InternalBackupReadPath(const std::string& dataFolder, const std::string& serialNumber);

class InternalSettings {
 public:
  InternalFields fields;
  ServiceStatus status{"------------------------", ServiceOutcome::Working};

  // "Werte Lesen": "INTE:ISND:GET?" into "Wert" (a reply that is no number shows as 0).
  // With no answer at all "Wert" stays empty and false is returned, as a 0.0 would pass
  // for a measured current.
  bool ReadCurrentValue(ScpiSession& session, char decimalSeparator);

  // "Parm Lesen": empties all fields, then the 14 queries. "Lesen IO" on green, or
  // "Lesen NIO" on red when any query got no answer. Returns the success.
  bool ReadParameters(ScpiSession& session, const RepaintHook& repaint = {});

  // "Parm Schreiben": 14 value lines, the unlock line, "INTE:SAVE?"; its reply "0" gives
  // "Schreiben IO" on green, anything else "Schreiben NIO" on red. The instrument is not
  // locked again. Fields that are not InternalFieldsWritable send nothing and end in
  // "Schreiben NIO".
  bool WriteParameters(ScpiSession& session, const RepaintHook& repaint = {});

  // "Internal Default setzen": unlock, "INTE:DEFA", then "Parm Lesen".
  bool SetInternalDefaults(ScpiSession& session, const RepaintHook& repaint = {});

  // "Speichern": writes the four "PAR" keys and the two "Info" keys into the backup of
  // the serial number now in SN_IN (other keys of the file stay). Throws IniWriteError
  // when the file cannot be written; the file is then unchanged.
  void SaveBackup(const std::string& dataFolder) const;

  // "Lesen": the six fields from the backup of the serial number now in SN_IN; a missing
  // file or key empties its field.
  void LoadBackup(const std::string& dataFolder);
};

}  // namespace qel
