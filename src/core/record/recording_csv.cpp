// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/record/recording_csv.h"

#include <cstdio>
#include <optional>

#include "core/diag/device_info.h"
#include "core/link/scpi_session.h"
#include "core/pages/choice_lists.h"
#include "core/pages/display_readout.h"
#include "core/pages/page_helpers.h"
#include "core/text/win1252.h"

namespace qel {
namespace {

// Rows of DeviceInfo::Rows() that the header uses.
constexpr std::size_t kSerialRow = 2;
constexpr std::size_t kSoftwareRow = 4;
constexpr std::size_t kProbeNameRow = 7;
constexpr std::size_t kProbeSerial1Row = 9;
constexpr std::size_t kProbeSerial2Row = 10;
constexpr std::size_t kProbeCalibrationRow = 11;

std::string HeaderText(const std::string& win1252) {
  std::string text = win1252;
  for (char& c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 0x20 || code == 0x7F) c = ' ';
  }
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return Win1252ToUtf8(text);
}

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A value that can go into a row: from a reply with the right number of fields, and a
// number.
std::optional<double> FittingValue(const LiveReading& reading, std::size_t slot) {
  if (!reading.valueFits[slot]) return std::nullopt;
  return reading.Number(static_cast<LiveValue>(slot));
}

}  // namespace

std::string_view RowStatusText(RowStatus status) {
  switch (status) {
    case RowStatus::Ok:
      return "ok";
    case RowStatus::NoAnswer:
      return "no answer";
    case RowStatus::BadReply:
      return "bad reply";
  }
  return "bad reply";
}

RowStatus StatusOf(const LiveReading& reading) {
  if (!reading.answered) return RowStatus::NoAnswer;
  return reading.MisfitLines().empty() ? RowStatus::Ok : RowStatus::BadReply;
}

RecordingHeader ReadRecordingHeader(ScpiSession& session) {
  RecordingHeader header;
  header.instrument = session.ScpiQuery(std::string(kIdentityQuery));
  DeviceInfo info;
  info.ReadDeviceInfo(session);
  const std::vector<InfoRow>& rows = info.Rows();
  const auto value = [&rows](std::size_t row) {
    return row < rows.size() ? rows[row].value : std::string();
  };
  header.serial = value(kSerialRow);
  header.firmware = value(kSoftwareRow);
  header.probeName = value(kProbeNameRow);
  header.probeSerial1 = value(kProbeSerial1Row);
  header.probeSerial2 = value(kProbeSerial2Row);
  header.probeCalibration = value(kProbeCalibrationRow);
  return header;
}

std::string FormatRecordingHeader(const RecordingHeader& h) {
  std::string text;
  text += "# instrument: " + HeaderText(h.instrument) + "\n";
  text += "# serial: " + HeaderText(h.serial) + "  firmware: " + HeaderText(h.firmware) + "\n";
  text += "# probe: " + HeaderText(h.probeName) + ", serial " + HeaderText(h.probeSerial1) + " / " +
          HeaderText(h.probeSerial2) + ", calibration " + HeaderText(h.probeCalibration) + "\n";
  text += "# recorded by: " + HeaderText(h.program) + " " + HeaderText(h.version) + " on " +
          HeaderText(h.computer) + "\n";
  text += "# started: " + FormatIsoTime(h.started) + "\n";
  text += std::string(kRecordingColumns) + "\n";
  return text;
}

std::string FormatRecordingRow(const LiveReading& reading, const WallTime& time,
                               std::chrono::nanoseconds elapsed) {
  const RowStatus status = StatusOf(reading);
  std::string row = FormatIsoTime(time) + "," + FormatElapsedSeconds(elapsed) + ",";
  if (status == RowStatus::NoAnswer) {
    row += ",,,,,,,,,,,";
  } else {
    const bool rangeUnit = reading.rangeUnitFits;
    row += (reading.modeFits ? IndexToToken(reading.mode, kModeTokens) : std::string()) + ",";
    row += (rangeUnit ? IndexToToken(reading.range, kRangeTokens) : std::string()) + ",";
    row += (rangeUnit ? IndexToToken(reading.unit, kUnitLetterTokens) : std::string()) + ",";
    const bool known = rangeUnit && reading.range >= 0 && reading.unit >= 0;
    for (std::size_t i = 0; i < kLiveValueCount; ++i) {
      if (const auto number = FittingValue(reading, i); known && number) {
        row += *number > kOverloadLimit ? std::string("OVLD") : Trimmed(*reading.fields[i]);
      }
      row += ",";
    }
  }
  row += RowStatusText(status);
  row += "\n";
  return row;
}

std::optional<double> RowValue(const LiveReading& reading, LiveValue value) {
  const std::size_t slot = LiveReading::Slot(value);
  if (!reading.answered || !reading.rangeUnitFits || reading.range < 0 || reading.unit < 0) {
    return std::nullopt;
  }
  const auto number = FittingValue(reading, slot);
  if (!number || *number > kOverloadLimit) return std::nullopt;
  return number;
}

std::string ProposedRecordingFileName(const std::tm& t) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d%02d%02d_%02d%02d", t.tm_year + 1900, t.tm_mon + 1,
                t.tm_mday, t.tm_hour, t.tm_min);
  return std::string("QEL11_Messwerte_") + stamp + ".csv";
}

}  // namespace qel
