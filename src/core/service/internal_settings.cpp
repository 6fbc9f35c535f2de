// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/service/internal_settings.h"

#include <filesystem>

#include "core/platform/app_data_folder.h"
#include "core/platform/ini_file.h"
#include "core/platform/native_path.h"
#include "core/service/dot_number.h"
#include "core/service/service_text.h"

namespace qel {
namespace {

// Backup file: section, key, and the field it holds.
//   [PAR]   INTE:ISND:GAIN  ISonde_Gain
//           INTE:ISND:OFFS  ISonde_Offset
//           INTE:CONS:I1MA  I1mA_set
//           INTE:CONS:I3MA  I3mA_set
//   [Info]  SN:UNIT         SN_IN
//           SN:CALI         Cal_Info_IN
struct BackupKey {
  const char* section;
  const char* key;
  std::string InternalFields::*field;
};
const std::array<BackupKey, 6> kBackupKeys = {{
    {"PAR", "INTE:ISND:GAIN", &InternalFields::ISonde_Gain},
    {"PAR", "INTE:ISND:OFFS", &InternalFields::ISonde_Offset},
    {"PAR", "INTE:CONS:I1MA", &InternalFields::I1mA_set},
    {"PAR", "INTE:CONS:I3MA", &InternalFields::I3mA_set},
    {"Info", "SN:UNIT", &InternalFields::SN_IN},
    {"Info", "SN:CALI", &InternalFields::Cal_Info_IN},
}};

std::string GainLine(int stage) {
  return "INTE:CONS:MAG:GA" + std::to_string(stage);
}

}  // namespace

std::string FormatCurrentValue(double value, char decimalSeparator) {
  std::string text = FormatDotFixed(value, 1);
  for (char& c : text) {
    if (c == '.') c = decimalSeparator;
  }
  return text.front() == '-' ? text : " " + text;
}

std::string InternalBackupFileName(const std::string& serialNumber) {
  std::string name = serialNumber;
  for (char& c : name) {
    if (static_cast<unsigned char>(c) < 32 ||
        std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) {
      c = '_';
    }
  }
  return "TOV09_QEL11_" + name + "_Int_Par.ini";
}

std::string InternalBackupPath(const std::string& dataFolder, const std::string& serialNumber) {
  return PathInFolder(dataFolder, InternalBackupFileName(serialNumber));
}

std::string InternalBackupReadPath(const std::string& dataFolder, const std::string& serialNumber) {
  std::string path = InternalBackupPath(dataFolder, serialNumber);
#ifdef _WIN32
  std::error_code error;
  if (!std::filesystem::exists(PathFromUtf8(path), error)) {
    const std::string old = "c:\\" + InternalBackupFileName(serialNumber);
    if (std::filesystem::exists(old, error)) return old;
  }
#endif
  return path;
}

bool InternalFieldsWritable(const InternalFields& fields) {
  const auto isNumberText = [](const std::string& text) {
    return text.find_first_not_of("+-.0123456789Ee ") == std::string::npos;
  };
  bool writable = !fields.SN_IN.empty() && FitsInQuotes(fields.SN_IN) &&
                  FitsInQuotes(fields.Cal_Info_IN) && isNumberText(fields.ISonde_Gain) &&
                  isNumberText(fields.ISonde_Offset) && isNumberText(fields.I1mA_set) &&
                  isNumberText(fields.I3mA_set);
  for (const std::string& gain : fields.MAG_GAIN) writable = writable && isNumberText(gain);
  return writable;
}

bool InternalSettings::ReadCurrentValue(ScpiSession& session, char decimalSeparator) {
  fields.ISonde_Val.clear();
  const std::uint64_t unansweredBefore = session.UnansweredLines();
  const std::string reply = session.ScpiQuery("INTE:ISND:GET?");
  if (session.UnansweredLines() != unansweredBefore) return false;
  fields.ISonde_Val = FormatCurrentValue(ParseDotNumber(reply), decimalSeparator);
  return true;
}

bool InternalSettings::ReadParameters(ScpiSession& session, const RepaintHook& repaint) {
  status = {"", ServiceOutcome::Working};
  fields = InternalFields{};
  if (repaint) repaint();

  const std::uint64_t unansweredBefore = session.UnansweredLines();
  for (int stage = 0; stage < 8; ++stage) {
    fields.MAG_GAIN[stage] = session.ScpiQuery(GainLine(stage) + "?");
  }
  fields.ISonde_Gain = session.ScpiQuery("INTE:ISND:GAIN?");
  fields.ISonde_Offset = session.ScpiQuery("INTE:ISND:OFFS?");
  fields.I1mA_set = session.ScpiQuery("INTE:CONS:I1MA?");
  fields.I3mA_set = session.ScpiQuery("INTE:CONS:I3MA?");
  fields.SN_IN = session.ScpiQuery("SN:UNIT?");
  fields.Cal_Info_IN = session.ScpiQuery("SN:CALI?");

  const bool allAnswered = session.UnansweredLines() == unansweredBefore;
  status = allAnswered ? ServiceStatus{"Lesen IO", ServiceOutcome::Success}
                       : ServiceStatus{"Lesen NIO", ServiceOutcome::Failure};
  return allAnswered;
}

bool InternalSettings::WriteParameters(ScpiSession& session, const RepaintHook& repaint) {
  status = {"", ServiceOutcome::Working};
  if (repaint) repaint();
  if (!InternalFieldsWritable(fields)) {
    status = {"Schreiben NIO", ServiceOutcome::Failure};
    return false;
  }

  // Empty fields go out too: the line then ends after the blank, or carries "".
  session.ScpiQuery("INTE:ISND:GAIN " + fields.ISonde_Gain);
  session.ScpiQuery("INTE:ISND:OFFS " + fields.ISonde_Offset);
  session.ScpiQuery("INTE:CONS:I1MA " + fields.I1mA_set);
  session.ScpiQuery("INTE:CONS:I3MA " + fields.I3mA_set);
  for (int stage = 0; stage < 8; ++stage) {
    session.ScpiQuery(GainLine(stage) + " " + fields.MAG_GAIN[stage]);
  }
  // Read with "SN:UNIT?" and "SN:CALI?", written with other command words.
  session.ScpiQuery("INTE:SN " + QuotedText(fields.SN_IN));
  session.ScpiQuery("INTE:CALI " + QuotedText(fields.Cal_Info_IN));
  session.ScpiQuery(kInternalUnlockLine);  // storing needs the service code

  const bool stored = session.ScpiQuery("INTE:SAVE?") == "0";
  status = stored ? ServiceStatus{"Schreiben IO", ServiceOutcome::Success}
                  : ServiceStatus{"Schreiben NIO", ServiceOutcome::Failure};
  return stored;
}

bool InternalSettings::SetInternalDefaults(ScpiSession& session, const RepaintHook& repaint) {
  session.ScpiQuery(kInternalUnlockLine);
  session.ScpiQuery("INTE:DEFA");
  return ReadParameters(session, repaint);
}

void InternalSettings::SaveBackup(const std::string& dataFolder) const {
  IniFile file(PathFromUtf8(InternalBackupPath(dataFolder, fields.SN_IN)));
  file.Edit([this](IniDocument& document) {
    for (const BackupKey& entry : kBackupKeys) {
      document.WriteString(entry.section, entry.key, fields.*entry.field);
    }
  });
}

void InternalSettings::LoadBackup(const std::string& dataFolder) {
  // The path is built first, from the serial number before the file's value replaces it.
  const IniDocument document =
      IniFile(PathFromUtf8(InternalBackupReadPath(dataFolder, fields.SN_IN))).Load();
  for (const BackupKey& entry : kBackupKeys) {
    fields.*entry.field = document.ReadString(entry.section, entry.key, "");
  }
}

}  // namespace qel
