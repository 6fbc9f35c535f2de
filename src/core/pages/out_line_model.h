// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Model of the digital output page `TOutLineFrame`: function, logic and the two limits of
// output `Tag` (1..4).

#include <string>

#include "core/pages/choice_setting.h"
#include "core/pages/limit_value.h"
#include "core/pages/parameter_page.h"

namespace qel {

// Which controls the output function at `position` enables (`Funk_ComboBoxChange`):
// logic for 2..7, the upper limit for 2, 4 and 5, the lower limit for 3..5; nothing for
// 0, 1 and no selection. The enabled state follows only the user's choices; read and
// load leave it as it was.
struct OutLineEnabling {
  bool logic = false;
  bool upperLimit = false;
  bool lowerLimit = false;
  bool operator==(const OutLineEnabling&) const = default;
};
OutLineEnabling OutLineEnablingFor(int functionPosition);

class OutLineModel : public ParameterPage {
 public:
  explicit OutLineModel(int tag = 0) : Tag(tag) {}

  int Tag;
  ChoiceSetting Funk{kOutFunctionChoices};
  ChoiceSetting Logic{kOutLogicChoices};
  LimitValue OG;  // upper limit
  LimitValue UG;  // lower limit

  // "Output" + channel, e.g. "Output3".
  std::string Section() const;

  // Lines: "DGIO:SET:OUT<n>:FUNC?", ":LOG?", ":LIMI:HIGH?", ":LIMI:LOW?".
  UnfitReplies ReadFromDevice(ScpiSession& session) override;
  // Lines: "DGIO:SET:OUT<n>:FUNC <token>", ":LOG <token>", then ":LIMI:HIGH <OG>" and
  // ":LIMI:LOW <UG>", each limit line only when its text is not empty.
  void WriteToDevice(ScpiSession& session) const override;
  void SaveToIni(IniDocument& file) const override;
  // Missing keys: positions 0, limit texts "0"; so is a limit text that is no number.
  void LoadFromIni(const IniDocument& file) override;

 private:
  std::string Header() const;
};

}  // namespace qel
