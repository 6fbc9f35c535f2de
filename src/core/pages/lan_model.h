// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Model of the LAN page `TLANFrame`: the instrument's IPv4 address and subnet mask, each
// an address entry of four octet fields.

#include <string_view>

#include "core/pages/ip_adr_in_model.h"
#include "core/pages/parameter_page.h"

namespace qel {

class LANModel : public ParameterPage {
 public:
  static constexpr std::string_view kSection = "LAN";

  IpAdrInModel Ip_Adr_In;
  IpAdrInModel Sub_Adr_In;

  // Lines: "IP:IP3?", "IP:IP4?", "IP:IP2?", "IP:IP1?", then "IP:MAS3?", "IP:MAS4?",
  // "IP:MAS2?", "IP:MAS1?"; each reply goes to its own octet (padded, then checked).
  UnfitReplies ReadFromDevice(ScpiSession& session) override;
  // Lines: "IP:IP<k> <octet k>" for k = 1..4, then "IP:MAS<k> <octet k>"; the octet
  // texts as they stand.
  void WriteToDevice(ScpiSession& session) const override;
  // Keys "IP:IP1".."IP:IP4", "IP:MAS1".."IP:MAS4": the octet texts.
  void SaveToIni(IniDocument& file) const override;
  // Each value goes straight into its field through the change rule, so a missing or
  // empty value becomes "000" (no padding: "7" stays "7").
  void LoadFromIni(const IniDocument& file) override;
};

}  // namespace qel
