// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Model of the digital input page `TInLineFrame`: function and logic of input `Tag`
// (1..3).

#include <string>

#include "core/pages/choice_setting.h"
#include "core/pages/parameter_page.h"

namespace qel {

class InLineModel : public ParameterPage {
 public:
  explicit InLineModel(int tag = 0) : Tag(tag) {}

  int Tag;
  ChoiceSetting Funk{kInFunctionChoices};
  ChoiceSetting Logic{kInLogicChoices};

  // "Input" + channel, e.g. "Input1".
  std::string Section() const;

  // Lines: "DGIO:SET:IN<n>:FUNC?", "DGIO:SET:IN<n>:LOG?".
  UnfitReplies ReadFromDevice(ScpiSession& session) override;
  // Lines: "DGIO:SET:IN<n>:FUNC <token>", "DGIO:SET:IN<n>:LOG <token>".
  void WriteToDevice(ScpiSession& session) const override;
  void SaveToIni(IniDocument& file) const override;
  void LoadFromIni(const IniDocument& file) override;

 private:
  std::string Header() const;
};

}  // namespace qel
