// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Model of the EIA-232 page `TEIA232Frame`: baud rate, stop bits, parity and output mode
// of the instrument's serial port.

#include <string_view>

#include "core/pages/choice_setting.h"
#include "core/pages/parameter_page.h"

namespace qel {

class EIA232Model : public ParameterPage {
 public:
  static constexpr std::string_view kSection = "Seri";

  ChoiceSetting Baud{kBaudChoices};
  ChoiceSetting StopBit{kStopBitChoices};
  ChoiceSetting Parity{kParityChoices};
  ChoiceSetting Mode{kSerialModeChoices};

  // Lines: "SERI:COMA:BAUD?", "SERI:COMA:STOP?", "SERI:COMA:PARY?", "SERI:COMA:MODE?".
  UnfitReplies ReadFromDevice(ScpiSession& session) override;
  // Lines: the same headers without "?", each with a blank and its token.
  void WriteToDevice(ScpiSession& session) const override;
  // Keys: the four headers ("SERI:COMA:BAUD", ...).
  void SaveToIni(IniDocument& file) const override;
  void LoadFromIni(const IniDocument& file) override;
};

}  // namespace qel
