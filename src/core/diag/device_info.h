// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The device information page: the instrument's identity and its probe's data as twelve
// rows of caption and value, read with nine queries whenever the user presses "Lesen".

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/link/scpi_session.h"

namespace qel {

// Turns a German caption into the caption to show; an empty function shows it as it is.
// The window passes the language's caption translation (English when it is active).
using CaptionTranslator = std::function<std::string(const std::string&)>;

struct InfoRow {
  std::string caption;
  std::string value;
  bool operator==(const InfoRow&) const = default;
};

// The queries of one read, in the order they go out.
inline constexpr std::array<std::string_view, 9> kDeviceInfoQueries = {
    "*idnt?",      "SN:UNIT?",    "SN:HW?",    "SN:SW?",     "SN:CALI?",
    "Probe:NAME?", "Probe:TYPE?", "Probe:SN?", "Probe:SNEP?"};

inline constexpr int kDeviceInfoRowCount = 12;
// The grid: row height, and the margin added to the widest text of a column.
inline constexpr int kInfoGridRowHeight = 18;
inline constexpr int kInfoColumnMargin = 10;

// The probe's name field holds the name in characters 1..16 and its calibration text in
// characters 17..32.
inline constexpr std::size_t kProbeNameLength = 16;

// Drops a leading double quote and then a trailing one, for replies of 2 characters or
// more; quotes inside stay as they are.
std::string UnquoteInfoReply(const std::string& reply);

// The name of a probe type number; anything but the exact texts "0".."4" is shown as
// "Type Nr " and the reply. The names are values and are never translated.
std::string ProbeTypeName(const std::string& reply);

// Characters first..first+count-1 (counted from 1) of text, as many as exist.
std::string TextCharacters(const std::string& text, std::size_t first, std::size_t count);

class DeviceInfo {
 public:
  explicit DeviceInfo(CaptionTranslator translate = {}) : translate_(std::move(translate)) {}

  // One read: the nine queries and exactly twelve rows, replacing the previous rows.
  // Replies that do not come leave their values empty; the read goes on.
  void ReadDeviceInfo(ScpiSession& session);
  // Appends one row, the caption passed through the translator.
  void AddInfoRow(const std::string& caption, const std::string& value);

  const std::vector<InfoRow>& Rows() const { return rows_; }

  // Each column's width: the widest text in it, as `textWidth` measures it, plus the
  // margin. Column 0 holds the captions, column 1 the values.
  std::array<int, 2> ColumnWidths(const std::function<int(const std::string&)>& textWidth) const;

 private:
  CaptionTranslator translate_;
  std::vector<InfoRow> rows_;
};

}  // namespace qel
