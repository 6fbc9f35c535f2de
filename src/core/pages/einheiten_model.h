// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Model of the measurement settings page `TEinheitenFrame`: mode, unit and range. The
// range items' texts follow mode and unit (UpdateRangeItems); the range token is always
// the position.

#include <span>
#include <string_view>

#include "core/pages/choice_setting.h"
#include "core/pages/parameter_page.h"

namespace qel {

// The range item texts for a mode position (0..2) and unit position (0..3); peak mode
// uses the DC texts. Empty for positions outside the table.
std::span<const std::string_view> RangeItemsFor(int mode, int unit);

class EinheitenModel : public ParameterPage {
 public:
  static constexpr std::string_view kSection = "Mode";

  ChoiceSetting Mess_Modus{kModeChoices};
  ChoiceSetting Einheit{kUnitChoices};
  // Its Items() are the box's own texts; the texts shown now are RangeItems().
  ChoiceSetting Bereich{kRangeChoices};
  // The page writes itself after every user change while this is set (hidden and unset
  // on the main window).
  bool Auto = false;

  // Lines: "MODE?", "RANG?", "UNIT?", then UpdateRangeItems.
  UnfitReplies ReadFromDevice(ScpiSession& session) override;
  // Lines: "MODE " + token, "UNIT " + token, "RANG:SET " + token.
  void WriteToDevice(ScpiSession& session) const override;
  void SaveToIni(IniDocument& file) const override;
  // Keys MODE, UNIT, RANG:SET (default 0 each), then UpdateRangeItems.
  void LoadFromIni(const IniDocument& file) override;

  // The texts the range box shows now: its own four until UpdateRangeItems first runs,
  // then the texts for the current mode and unit.
  std::span<const std::string_view> RangeItems() const { return rangeItems_; }
  // Takes the range texts for the current mode and unit; the range position is kept.
  // Without a mode or unit selection there are no texts for it, so the range items stay
  // as they are.
  void UpdateRangeItems();

  // The user picked another mode or unit (`Mess_Modus_ComboBoxChange`): range texts
  // follow, and with Auto set the page is written.
  void ModeOrUnitChangedByUser(ScpiSession& session);
  // The user picked another range (`Bereich_ComboBoxChange`): written with Auto set.
  void RangeChangedByUser(ScpiSession& session);

 private:
  std::span<const std::string_view> rangeItems_ = kRangeItems;
};

}  // namespace qel
