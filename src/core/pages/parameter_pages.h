// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The twelve parameter pages of the main window, with its initial values, and the
// whole-window actions that visit them in the fixed page order: EinheitenFrame1,
// OutLineFrame1..4, InLineFrame1..3, TastenFrame1, TastenFrame2, LANFrame1, EIA232Frame1.
// The window program and qel11ctl run the same object, so both send the same lines.

#include <array>
#include <string_view>

#include "core/pages/eia232_model.h"
#include "core/pages/einheiten_model.h"
#include "core/pages/in_line_model.h"
#include "core/pages/lan_model.h"
#include "core/pages/out_line_model.h"
#include "core/pages/tasten_model.h"

namespace qel {

// Asks the instrument to store its current settings; the reply is not looked at.
inline constexpr std::string_view kStoreLine = "par:savw?";

class ParameterPages {
 public:
  static constexpr std::size_t kPageCount = 12;

  // The main window's initial state: every page at its defaults, except that the
  // measurement page's range is preset to the fourth item.
  ParameterPages();

  EinheitenModel EinheitenFrame1;
  OutLineModel OutLineFrame1{1};
  OutLineModel OutLineFrame2{2};
  OutLineModel OutLineFrame3{3};
  OutLineModel OutLineFrame4{4};
  InLineModel InLineFrame1{1};
  InLineModel InLineFrame2{2};
  InLineModel InLineFrame3{3};
  TastenModel TastenFrame1{0};
  TastenModel TastenFrame2{1};
  LANModel LANFrame1;
  EIA232Model EIA232Frame1;

  // The pages in page order (pointers into this object).
  std::array<ParameterPage*, kPageCount> InPageOrder();
  std::array<const ParameterPage*, kPageCount> InPageOrder() const;

  // "Werte aus Gerät lesen ": ReadFromDevice of every page, 39 lines. A page without
  // replies shows its empty state and the next page runs all the same. Returns the
  // replies that did not fit their lines, in line order.
  UnfitReplies ReadAll(ScpiSession& session);
  // "Werte ins Gerät schreiben ": WriteToDevice of every page.
  void WriteAll(ScpiSession& session) const;
  // "Speichern": sends kStoreLine.
  static void Store(ScpiSession& session);

  // SaveToIni / LoadFromIni of every page, in page order.
  void SaveAll(IniDocument& file) const;
  void LoadAll(const IniDocument& file);
};

}  // namespace qel
