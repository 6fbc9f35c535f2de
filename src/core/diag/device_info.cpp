// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/diag/device_info.h"

#include <algorithm>

namespace qel {

std::string UnquoteInfoReply(const std::string& reply) {
  if (reply.size() < 2) return reply;
  std::string text = reply;
  if (text.front() == '"') text.erase(0, 1);
  if (!text.empty() && text.back() == '"') text.pop_back();
  return text;
}

std::string ProbeTypeName(const std::string& reply) {
  static constexpr std::array<const char*, 5> kNames = {"Transversal Standard", "Axial Standard",
                                                        "Kalibrier Probe", "Transversal Hoch Feld",
                                                        "Axial Hoch Feld"};
  // Exact texts only: " 3", "03" or a quoted "3" are no match.
  if (reply.size() == 1 && reply[0] >= '0' && reply[0] <= '4') return kNames[reply[0] - '0'];
  return "Type Nr " + reply;
}

std::string TextCharacters(const std::string& text, std::size_t first, std::size_t count) {
  if (first == 0 || first > text.size()) return {};
  return text.substr(first - 1, count);
}

void DeviceInfo::AddInfoRow(const std::string& caption, const std::string& value) {
  rows_.push_back({translate_ ? translate_(caption) : caption, value});
}

void DeviceInfo::ReadDeviceInfo(ScpiSession& session) {
  rows_.clear();
  // Captions are Windows-1252: "\xE4" is a-umlaut.
  AddInfoRow(
      "Ger\xE4"
      "te Information",
      "");
  AddInfoRow("SCPI IDNT", session.ScpiQuery("*idnt?"));
  AddInfoRow("Seriennummer", session.ScpiQuery("SN:UNIT?"));
  AddInfoRow("Hardware Stand", session.ScpiQuery("SN:HW?"));
  AddInfoRow("Software Stand", session.ScpiQuery("SN:SW?"));
  AddInfoRow("Kalibrier Info", session.ScpiQuery("SN:CALI?"));
  AddInfoRow("Sonden Information", "");

  const std::string probeName = UnquoteInfoReply(session.ScpiQuery("Probe:NAME?"));
  AddInfoRow("Bezeichnung", TextCharacters(probeName, 1, kProbeNameLength));
  AddInfoRow("Type", ProbeTypeName(session.ScpiQuery("Probe:TYPE?")));
  AddInfoRow("Seriennummer 1", UnquoteInfoReply(session.ScpiQuery("Probe:SN?")));
  // The EEPROM's own number comes as it is, not in quotes.
  AddInfoRow("Seriennummer 2", session.ScpiQuery("Probe:SNEP?"));
  AddInfoRow("Kalibrier Info", TextCharacters(probeName, kProbeNameLength + 1, kProbeNameLength));
}

std::array<int, 2> DeviceInfo::ColumnWidths(
    const std::function<int(const std::string&)>& textWidth) const {
  std::array<int, 2> widths{0, 0};
  for (const InfoRow& row : rows_) {
    widths[0] = std::max(widths[0], textWidth(row.caption));
    widths[1] = std::max(widths[1], textWidth(row.value));
  }
  return {widths[0] + kInfoColumnMargin, widths[1] + kInfoColumnMargin};
}

}  // namespace qel
