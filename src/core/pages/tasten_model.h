// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Model of the key function page `TTastenFrame`: the function of the upper (Tag 0,
// "TOP") or lower (Tag 1, "BOT") front key.

#include <string>

#include "core/pages/choice_setting.h"
#include "core/pages/parameter_page.h"

namespace qel {

class TastenModel : public ParameterPage {
 public:
  explicit TastenModel(int tag = 0) : Tag(tag) {}

  int Tag;
  ChoiceSetting Funk{kKeyFunctionChoices};

  // "KEYS" + channel without separator: "KEYSTOP", "KEYSBOT".
  std::string Section() const;

  // Line: "KEYS:<k>:FUNC?".
  UnfitReplies ReadFromDevice(ScpiSession& session) override;
  // Line: "KEYS:<k>:FUNC <token>" (the first token is sent as "No").
  void WriteToDevice(ScpiSession& session) const override;
  // Key "FUNC".
  void SaveToIni(IniDocument& file) const override;
  void LoadFromIni(const IniDocument& file) override;
};

}  // namespace qel
